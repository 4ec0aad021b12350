#include "ui/LogKeyMaps.h"

#include <commctrl.h>

#include <iterator>
#include <utility>

#include "framework/MessageBox.h"
#include "settings/ConfigFile.h"
#include "settings/LogFile_win.h"
#include "text/IntegerText.h"
#include "ui/resource.h"

namespace {

// Years of a busy bench's lines; of a longer log, the newest this many bytes are listed.
constexpr std::size_t kMaxLogBytes = std::size_t{256} << 20;

struct Column {
    const wchar_t* name;
    int width;  // dialog units
};
constexpr Column kColumns[] = {
    {L"Time", 80},
    {L"Serial", 44},
    {L"Result", 52},
    {L"Contacts", 40},
    {L"Configuration file", 150},
};

// A cell of the list, in the columns' order.
std::wstring CellText(const LoggedWrite& line, int column) {
    switch (column) {
        case 0:
            return line.time;
        case 1:
            return std::to_wstring(line.serial);
        case 2:
            return line.result;
        case 3:
            return std::to_wstring(line.contacts);
        default:
            return line.configFile;
    }
}

}  // namespace

std::optional<ConfigValues> TakeKeyMapFromLog(HWND owner) {
    const LogPlace place = StoredLogPlace();
    bool newestOnly = false;
    std::wstring problem = place.problem;
    LogReading reading;
    {
        // A long log on a slow share takes a moment: the cursor says so meanwhile.
        const CWaitCursor wait;
        std::string bytes;
        if (problem.empty()) {
            const std::wstring failure = ReadLogBytes(place.path, kMaxLogBytes, bytes, newestOnly);
            if (!failure.empty())
                problem = CannotReadLogMessage(place.path, failure);
        }
        reading = ReadLog(bytes);  // the bytes go at the end of the block
    }
    if (!problem.empty()) {
        fw::MessageBox(owner, problem, MB_OK | MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    std::wstring summary =
        LogListSummary(place.path, reading.lines.size(), reading.skipped, newestOnly);
    CLogKeyMapsDlg dialog(std::move(reading.lines), std::move(summary));
    if (dialog.DoModal() != IDOK || !dialog.Taken())
        return std::nullopt;
    // A line gives all but the serial number and the speed: they belong to the box and the
    // bench.
    ConfigValues values = FileValuesOf(*dialog.Taken());
    values.speed.reset();
    return values;
}

CLogKeyMapsDlg::CLogKeyMapsDlg(std::vector<LoggedWrite> lines, std::wstring summary)
    : CDialogEx(IDD_LOG_KEY_MAPS), m_lines(std::move(lines)), m_summary(std::move(summary)) {}

const fw::MsgMap* CLogKeyMapsDlg::GetThisMessageMap() {
    static const fw::Entry<CLogKeyMapsDlg> entries[] = {
        fw::Message<&CLogKeyMapsDlg::OnNotify>(WM_NOTIFY),
        fw::Command<&CLogKeyMapsDlg::OnFindChange>(IDC_LOG_FIND, EN_CHANGE),
    };
    static const fw::MsgMap map = fw::MakeMap<CDialogEx>(entries);
    return &map;
}

BOOL CLogKeyMapsDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    m_list = GetDlgItem(IDC_LOG_LIST);
    CWnd(GetDlgItem(IDC_LOG_SUMMARY)).SetWindowText(m_summary);
    ListView_SetExtendedListViewStyle(m_list, LVS_EX_FULLROWSELECT);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        RECT width{0, 0, kColumns[i].width, 0};
        ::MapDialogRect(m_hWnd, &width);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(kColumns[i].name);
        column.cx = width.right;
        ListView_InsertColumn(m_list, i, &column);
    }
    // The list holds no text of its own: it asks for each cell as it shows it, so that a log of
    // any length opens at once.
    ListView_SetItemCountEx(m_list, static_cast<int>(m_lines.size()), 0);
    SelectRow(m_lines.empty() ? -1 : 0);
    return TRUE;  // the focus goes to the serial number field
}

LRESULT CLogKeyMapsDlg::OnNotify(WPARAM, LPARAM info) {
    const auto* header = reinterpret_cast<const NMHDR*>(info);
    if (header->hwndFrom != m_list) {
        SetMsgHandled(false);
    } else if (header->code == LVN_GETDISPINFOW) {
        LVITEMW& cell = reinterpret_cast<NMLVDISPINFOW*>(info)->item;
        if ((cell.mask & LVIF_TEXT) == 0 || cell.cchTextMax <= 0 || cell.iItem < 0 ||
            cell.iItem >= static_cast<int>(m_lines.size()))
            return 0;
        ::lstrcpynW(cell.pszText, CellText(Line(cell.iItem), cell.iSubItem).c_str(),
                    cell.cchTextMax);
    } else if (header->code == LVN_ODFINDITEMW) {
        return -1;  // keys typed into the list find no line: the serial number field does
    } else if (header->code == NM_DBLCLK &&
               reinterpret_cast<const NMITEMACTIVATE*>(info)->iItem >= 0) {
        OnOK();
    }
    return 0;
}

void CLogKeyMapsDlg::OnFindChange() {
    // Digits name a serial number: the newest line with it is selected, or none when no line
    // has it, so that OK never takes another box's line.
    const std::wstring text = CWnd(GetDlgItem(IDC_LOG_FIND)).GetWindowText();
    if (text.empty() || text.find_first_not_of(L"0123456789") != std::wstring::npos)
        return;
    const auto serial = ParseInt32Text(text);
    const int count = static_cast<int>(m_lines.size());
    int row = 0;
    while (serial && row < count && Line(row).serial != *serial)
        ++row;
    SelectRow(serial && row < count ? row : -1);
}

int CLogKeyMapsDlg::SelectedRow() const {
    return ListView_GetNextItem(m_list, -1, LVNI_SELECTED);
}

void CLogKeyMapsDlg::SelectRow(int row) {
    constexpr UINT kChosen = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(m_list, -1, 0, kChosen);
    if (row < 0)
        return;
    ListView_SetItemState(m_list, row, kChosen, kChosen);
    ListView_EnsureVisible(m_list, row, FALSE);
}

void CLogKeyMapsDlg::OnOK() {
    const int row = SelectedRow();
    if (row < 0) {
        ::MessageBeep(MB_OK);
        return;
    }
    const LoggedWrite& line = Line(row);
    m_taken = DecodeConfigImage(line.image, line.contacts);
    if (m_taken)
        EndDialog(IDOK);
    else
        MessageBox(NoKeyMapMessage(line.serial), nullptr, MB_OK | MB_ICONEXCLAMATION);
}
