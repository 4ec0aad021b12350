#include "ui/TestDlg.h"

#include <cstdint>

#include "framework/DataExchange.h"
#include "framework/Edit.h"
#include "keycodes/TestLogLine.h"
#include "ui/resource.h"

CTestDlg::CTestDlg(CWnd* owner) : CDialogEx(IDD_TEST, owner) {}

const fw::MsgMap* CTestDlg::GetThisMessageMap() {
    static const fw::Entry<CTestDlg> entries[] = {
        fw::Message<&CTestDlg::OnHelpInfo>(WM_HELP),
        fw::Message<&CTestDlg::OnSysKey>(WM_SYSKEYDOWN),
        fw::Message<&CTestDlg::OnSysKey>(WM_SYSKEYUP),
    };
    static const fw::MsgMap map = fw::MakeMap<CDialogEx>(entries);
    return &map;
}

void CTestDlg::DoDataExchange(CDataExchange& dx) {
    CDialogEx::DoDataExchange(dx);
    fw::DDX_Text(dx, IDC_TEST_LOG, m_log);
}

BOOL CTestDlg::OnInitDialog() {
    // The log has no end; by default the field would take no line past 32,767 characters,
    // some thousand lines.
    CEdit(GetDlgItem(IDC_TEST_LOG)).SetLimitText(0);
    return CDialogEx::OnInitDialog();
}

BOOL CTestDlg::PreTranslateMessage(MSG* msg) {
    const auto line =
        TestLogLine(msg->message, msg->wParam, static_cast<std::uint64_t>(msg->lParam));
    if (!line)
        return CDialogEx::PreTranslateMessage(msg);
    AppendLine(*line);
    return TRUE;  // neither translated nor dispatched: no key acts on the dialog
}

void CTestDlg::AppendLine(const std::wstring& line) {
    CEdit field(GetDlgItem(IDC_TEST_LOG));
    // Writing the whole log for every line would put the view back at the first line, where
    // the lines that arrive cannot be seen, and cost more with every line. The field gets only
    // the new line, and the view follows it. Should the field no longer hold the log (a paste
    // or cut from its context menu), it gets the whole log back first.
    if (field.GetModify())
        UpdateData(FALSE);
    m_log += line;
    field.AppendText(line);
    field.SetModify(FALSE);
}

LRESULT CTestDlg::OnHelpInfo(WPARAM, LPARAM) {
    return TRUE;  // F1 shows no help
}

// Alt and the keys pressed with it, when sent to the dialog directly rather than through the
// loop: the default processing would open the system menu or close the dialog on Alt+F4.
LRESULT CTestDlg::OnSysKey(WPARAM, LPARAM) {
    return 0;
}
