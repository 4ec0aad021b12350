#include "ui/OrvantaDlg.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <utility>
#include <vector>

#include "app/AboutDlg.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/SystemFiles.h"
#include "framework/SystemReason.h"
#include "framework/WinApp.h"
#include "keycodes/SlotTips.h"
#include "programming/AckLetter.h"
#include "programming/KeySender_win.h"
#include "settings/FieldRules.h"
#include "settings/FileBytes_win.h"
#include "settings/Registry_win.h"
#include "settings/Settings.h"
#include "ui/Keycodes.h"
#include "ui/Messages.h"
#include "ui/ProgressDlg.h"
#include "ui/TestDlg.h"
#include "ui/WindowMessages.h"
#include "ui/resource.h"

static_assert(IDM_ABOUTBOX % 16 == 0 && IDM_OPEN_CONFIG % 16 == 0 && IDM_SAVE_CONFIG % 16 == 0 &&
                  IDM_PRODUCTION_LOG % 16 == 0 && IDM_PRODUCTION_LOG < 0xF000,
              "system menu commands are multiples of 16 below the system's own");
static_assert(IDC_SLOT_LAST - IDC_SLOT_FIRST + 1 == kSlotCount, "two slots for each contact");

namespace {

constexpr UINT_PTR kFieldTipsTimer = 1;  // the dialog's one window timer

LogTime LocalTime() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::wstring ComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return ::GetComputerNameW(name, &size) ? std::wstring(name, size) : std::wstring();
}

}  // namespace

COrvantaDlg::COrvantaDlg(std::wstring_view versionTitle, std::vector<std::wstring> startupFiles)
    : CDialogEx(IDD_ORVANTA_DIALOG),
      m_versionTitle(versionTitle),
      m_startupFiles(std::move(startupFiles)) {
    m_icon = ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    // The library is asked once, here: a key box plugged in later is not seen through it.
    m_device = OpenDeviceLibrary(std::make_unique<CBrondel>());
}

const fw::MsgMap* COrvantaDlg::GetThisMessageMap() {
    static const fw::Entry<COrvantaDlg> entries[] = {
        fw::Message<&COrvantaDlg::OnSysCommand>(WM_SYSCOMMAND),
        fw::Message<&COrvantaDlg::OnPaint>(WM_PAINT),
        fw::Message<&COrvantaDlg::OnQueryDragIcon>(WM_QUERYDRAGICON),
        fw::Command<&COrvantaDlg::OnContactsSelChange>(IDC_CONTACTS, CBN_SELCHANGE),
        fw::Command<&COrvantaDlg::OnContactsEditChange>(IDC_CONTACTS, CBN_EDITCHANGE),
        fw::Command<&COrvantaDlg::OnWrite>(IDC_WRITE),
        fw::Command<&COrvantaDlg::OnRead>(IDC_READ),
        fw::Command<&COrvantaDlg::OnKeycode>(IDC_KEYCODE),
        fw::CommandRange<&COrvantaDlg::OnSlotFocus>(IDC_SLOT_FIRST, IDC_SLOT_LAST, EN_SETFOCUS),
        fw::Command<&COrvantaDlg::OnExit>(IDOK),
        fw::Command<&COrvantaDlg::OnSerialPlus>(IDC_SERIAL_PLUS),
        fw::Command<&COrvantaDlg::OnTest>(IDC_TEST),
        fw::Message<&COrvantaDlg::OnHelpInfo>(WM_HELP),
        fw::Message<&COrvantaDlg::OnWriteRequest>(WM_APP_WRITE),
        fw::Message<&COrvantaDlg::OnDropFiles>(WM_DROPFILES),
        fw::Message<&COrvantaDlg::OnOpenStartupFile>(WM_APP_OPEN_FILE),
        fw::Message<&COrvantaDlg::OnNotify>(WM_NOTIFY),
        fw::Message<&COrvantaDlg::OnTimer>(WM_TIMER),
    };
    static const fw::MsgMap map = fw::MakeMap<CDialogEx>(entries);
    return &map;
}

void COrvantaDlg::DoDataExchange(CDataExchange& dx) {
    CDialogEx::DoDataExchange(dx);
    fw::DDX_Control(dx, IDC_CONTACTS, m_contactsBox);
    fw::DDX_Text(dx, IDC_SERIAL, m_serial);
    if (dx.m_bSaveAndValidate) {
        fw::DDX_CBString(dx, IDC_CONTACTS, m_contactsText);
    } else {
        ShowContacts();
    }
    fw::DDX_Check(dx, IDC_PROTECTED, m_protected);
    fw::DDX_Text(dx, IDC_BOUNCE, m_bounceTime);
    fw::DDX_Check(dx, IDC_KEYSTACK, m_keyStack);
    fw::DDX_Text(dx, IDC_REPEAT, m_repeatText);
    fw::DDX_Text(dx, IDC_SPEED, m_speed);
    fw::DDV_MinMaxUInt(dx, IDC_SPEED, m_speed, kMinSpeed, kMaxSpeed);
    fw::DDX_Control(dx, IDC_FEEDBACK, m_feedback);
    fw::DDX_Control(dx, IDC_WAIT_BUTTON, m_waitButton);
    fw::DDX_Control(dx, IDC_PROGRAMMED, m_programmedButton);
    fw::DDX_Control(dx, IDC_READ, m_readButton);
}

BOOL COrvantaDlg::OnInitDialog() {
    // The contacts list belongs to the template: it is filled before anything is exchanged.
    CComboBox contacts(GetDlgItem(IDC_CONTACTS));
    for (int n = 1; n <= 24; ++n)
        contacts.AddString(std::to_wstring(n));

    CDialogEx::OnInitDialog();

    if (HMENU systemMenu = GetSystemMenu(FALSE)) {
        wchar_t about[64] = {};
        if (::LoadStringW(AfxGetInstanceHandle(), IDS_ABOUTBOX, about, 64) > 0) {
            ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
        ::AppendMenuW(systemMenu, MF_STRING, IDM_OPEN_CONFIG, kOpenConfigMenu);
        ::AppendMenuW(systemMenu, MF_STRING, IDM_SAVE_CONFIG, kSaveConfigMenu);
        ::AppendMenuW(systemMenu, MF_STRING, IDM_PRODUCTION_LOG, kProductionLogMenu);
    }
    // Files may be dropped on the dialog (what DragAcceptFiles would do, without its library).
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE,
                        ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);

    SetIcon(m_icon, TRUE);
    SetIcon(m_icon, FALSE);

    m_programmedButton.ShowWindow(SW_HIDE);
    m_waitButton.ShowWindow(SW_HIDE);
    m_readButton.ShowWindow(SW_HIDE);

    ::SetWindowTextW(m_hWnd, std::wstring(m_versionTitle).c_str());
    // The tooltips come once the dialog has painted (a timer's message comes after the paint):
    // made here, they held its first showing up by about 8 ms that nobody could use.
    if (::SetTimer(m_hWnd, kFieldTipsTimer, USER_TIMER_MINIMUM, nullptr) == 0)
        AddFieldTips();

    LoadSettings();
    UpdateData(FALSE);
    m_notWritten = FALSE;  // the exchange has selected the count's item, if it has one
    // Every slot field starts as "0", as the template creates it.
    // A file named at start-up overrides the stored settings; it opens once the dialog shows,
    // so that a message about it has the dialog behind it.
    if (!m_startupFiles.empty())
        PostMessage(WM_APP_OPEN_FILE);
    return TRUE;
}

LRESULT COrvantaDlg::OnSysCommand(WPARAM command, LPARAM) {
    const WPARAM id = command & 0xFFF0;
    if (id == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else if (id == IDM_OPEN_CONFIG || id == IDM_SAVE_CONFIG) {
        const bool save = id == IDM_SAVE_CONFIG;
        const auto path =
            fw::AskFilePath(m_hWnd, save ? fw::FileDialog::SaveAs : fw::FileDialog::Open,
                            kConfigFilter, L"ini", m_configFile);
        if (path && save)
            SaveConfiguration(*path);
        else if (path)
            OpenConfiguration(*path);
    } else if (id == IDM_PRODUCTION_LOG) {
        ChooseLogFile();
    } else {
        SetMsgHandled(false);  // minimize, move, close and the rest as usual
    }
    return 0;
}

LRESULT COrvantaDlg::OnPaint(WPARAM, LPARAM) {
    if (!IsIconic()) {
        SetMsgHandled(false);
        return 0;
    }
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    ::DrawIcon(dc, x, y, m_icon);
    ::EndPaint(m_hWnd, &paint);
    return 0;
}

LRESULT COrvantaDlg::OnQueryDragIcon(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(m_icon);
}

LRESULT COrvantaDlg::OnHelpInfo(WPARAM, LPARAM) {
    return TRUE;
}

LRESULT COrvantaDlg::OnTimer(WPARAM id, LPARAM) {
    if (id != kFieldTipsTimer) {
        SetMsgHandled(false);
        return 0;
    }
    ::KillTimer(m_hWnd, kFieldTipsTimer);
    AddFieldTips();
    return 0;
}

void COrvantaDlg::AddFieldTips() {
    // The tooltip sees the mouse through PreTranslateMessage rather than by subclassing each of
    // the 49 fields, which costs the start-up more than the rest of the tooltip.
    HWND tips = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                  AfxGetInstanceHandle(), nullptr);
    if (tips == nullptr)
        return;  // the fields work as they did, without the words
    // The text is asked for each time a tip shows (OnNotify), so it is that of the field as it
    // stands, whatever changed it.
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = m_hWnd;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    const auto add = [&](int id) {
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(id));
        ::SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    };
    for (int id = IDC_SLOT_FIRST; id <= IDC_SLOT_LAST; ++id)
        add(id);
    add(IDC_REPEAT);
    ::SendMessageW(tips, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);  // time to read a long one
    m_tips = tips;
}

LRESULT COrvantaDlg::OnNotify(WPARAM, LPARAM lParam) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    if (info->hdr.code != TTN_GETDISPINFOW) {
        SetMsgHandled(false);
        return 0;
    }
    const int slot = ::GetDlgCtrlID(reinterpret_cast<HWND>(info->hdr.idFrom)) - IDC_SLOT_FIRST;
    m_tipText = slot >= 0 && slot < kSlotCount ? SlotTip(slot, SlotText(slot), m_contacts)
                                               : RepeatTip(RepeatText(), m_contacts);
    info->lpszText = m_tipText.data();
    return 0;
}

void COrvantaDlg::ShowContacts() {
    // The field shows the count in use with its item selected, and nothing with no selection
    // for a count outside the list, never one count while another is used.
    m_contactsText = ContactsText(m_contacts);
    m_contactsBox.SetCurSel(ContactsListIndex(m_contacts));
}

void COrvantaDlg::OnContactsSelChange() {
    const int index = m_contactsBox.GetCurSel();
    m_notWritten = TRUE;
    if (const auto contacts = ContactsFromListIndex(index))
        m_contacts = *contacts;
}

void COrvantaDlg::OnContactsEditChange() {
    UpdateData(TRUE);
    // A typed count is in use as soon as its text names a list item, as a pick is. The text is
    // read here, not from the exchange, which stops early when a field before it is refused.
    const std::wstring typed = m_contactsBox.GetWindowText();
    if (const auto contacts = ContactsFromText(typed))
        m_contacts = *contacts;
    m_notWritten = TRUE;
    const DWORD caret = m_contactsBox.GetEditSel();
    UpdateData(FALSE);
    // Selecting the item rewrites the field: the user's caret goes back where it was, so that
    // the next key typed adds to the text instead of replacing it.
    if (m_contactsBox.GetWindowText() == typed)
        m_contactsBox.SetEditSel(caret);
}

void COrvantaDlg::OnWrite() {
    PostMessage(WM_APP_WRITE, 0, 0);
}

void COrvantaDlg::OnRead() {
    UpdateData(TRUE);
    HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    MessageBox(kNotImplemented, nullptr, MB_OK);
    UpdateData(FALSE);
    if (previous != nullptr)
        ::SetCursor(previous);
}

void COrvantaDlg::OnKeycode() {
    CKeycodes chooser(this);
    chooser.DoModal();
    // Whatever the chooser did is already in the fields, even when it was cancelled.
    m_notWritten = TRUE;
}

void COrvantaDlg::OnSlotFocus(UINT id) {
    m_slot = static_cast<std::int32_t>(id) - IDC_SLOT_FIRST;
}

void COrvantaDlg::OnExit() {
    if (m_notWritten && MessageBox(kReallyExit, kReallyExitCaption, MB_YESNO) != IDYES)
        return;
    // The members as they stand: what was typed since the last exchange is not saved.
    SaveSettings();
    OnOK();
}

void COrvantaDlg::OnSerialPlus() {
    UpdateData(TRUE);
    m_serial = NextSerial(m_serial);
    UpdateData(FALSE);
}

void COrvantaDlg::OnTest() {
    CTestDlg test;
    test.DoModal();
}

LRESULT COrvantaDlg::OnWriteRequest(WPARAM blocking, LPARAM) {
    return RunWriteCommand(*this, m_device.get(), m_image, blocking != 0);
}

LRESULT COrvantaDlg::OnDropFiles(WPARAM wParam, LPARAM) {
    const std::vector<std::wstring> files = fw::DroppedFiles(reinterpret_cast<HDROP>(wParam));
    if (files.size() != 1)
        MessageBox(kDropOneFile, nullptr, MB_OK | MB_ICONEXCLAMATION);
    else
        OpenConfiguration(files.front());
    return 0;
}

LRESULT COrvantaDlg::OnOpenStartupFile(WPARAM, LPARAM) {
    if (m_startupFiles.size() > 1)
        MessageBox(kStartWithOneFile, nullptr, MB_OK | MB_ICONEXCLAMATION);
    else
        OpenConfiguration(m_startupFiles.front());
    return 0;
}

void COrvantaDlg::OpenConfiguration(const std::wstring& path) {
    const FileBytes file = ReadFileBytes(path, kMaxConfigFileBytes);
    ConfigRead read;
    if (file.failure.empty())
        read = ReadConfigFile(file.bytes, path);
    else
        read.error = CannotOpenMessage(path, file.failure);
    if (!read.error.empty()) {
        MessageBox(read.error, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    ApplyConfiguration(read.values);
    m_configFile = path;
    if (!read.notice.empty())
        MessageBox(read.notice, nullptr, MB_OK | MB_ICONEXCLAMATION);
}

void COrvantaDlg::ApplyConfiguration(const ConfigValues& values) {
    if (values.contacts) {
        m_contacts = *values.contacts;
        ShowContacts();
    }
    if (values.bounceTime) {
        m_bounceTime = *values.bounceTime;
        CWnd(GetDlgItem(IDC_BOUNCE)).SetWindowText(std::to_wstring(m_bounceTime));
    }
    if (values.speed) {
        m_speed = *values.speed;
        CWnd(GetDlgItem(IDC_SPEED)).SetWindowText(std::to_wstring(m_speed));
    }
    if (values.protectedFlag) {
        m_protected = *values.protectedFlag ? TRUE : FALSE;
        ::CheckDlgButton(m_hWnd, IDC_PROTECTED, m_protected ? BST_CHECKED : BST_UNCHECKED);
    }
    if (values.repeatText)
        SetRepeatText(*values.repeatText);
    for (int s = 0; s < kSlotCount; ++s) {
        if (const auto& text = values.slots[static_cast<size_t>(s)])
            SetSlotText(s, *text);
    }
    m_notWritten = TRUE;  // no key box holds this configuration yet
}

void COrvantaDlg::SaveConfiguration(const std::wstring& path) {
    if (!UpdateData(TRUE))
        return;  // the refused field has said why
    ConfigValues values;
    // A count outside the list, which only stored settings hold, is left out: the file could
    // not be opened again with it.
    if (ContactsListIndex(m_contacts) >= 0)
        values.contacts = m_contacts;
    values.bounceTime = m_bounceTime;
    values.speed = m_speed;
    values.protectedFlag = m_protected != FALSE;
    values.repeatText = m_repeatText;
    for (int s = 0; s < kSlotCount; ++s)
        values.slots[static_cast<size_t>(s)] = SlotText(s);
    const ConfigText file = FormatConfigFile(values, path);
    std::wstring error = file.error;
    if (error.empty()) {
        const SaveOutcome saved = ReplaceFileBytes(path, file.bytes);
        if (saved.newAt != SaveFile::Target)
            error = CannotSaveMessage(path, saved);
    }
    if (!error.empty()) {
        MessageBox(error, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_configFile = path;
}

void COrvantaDlg::LogWrite(LogRecord record) {
    record.time = LocalTime();
    record.computer = ComputerName();
    const std::wstring path = LogFilePath();
    const std::wstring failure = m_log.Add(path, FormatLogLine(record));
    if (!failure.empty()) {
        MessageBox(CannotLogMessage(path, failure, m_log.PendingCount()), nullptr,
                   MB_OK | MB_ICONEXCLAMATION);
    }
}

std::wstring COrvantaDlg::LogFilePath() const {
    std::wstring path = StoredLogFile();
    if (path.empty())
        path = fw::DocumentsFolder() + L"\\" + kDefaultLogName;
    return path;
}

void COrvantaDlg::ChooseLogFile() {
    // The chosen file is added to, never emptied: the dialog asks nothing about replacing it.
    const auto path =
        fw::AskFilePath(m_hWnd, fw::FileDialog::AddTo, kLogFilter, L"csv", LogFilePath());
    if (path && !StoreLogFile(*path))
        MessageBox(kRegistryWriteFailed, nullptr, MB_OK);
}

void COrvantaDlg::KeepUnwrittenLog() {
    const std::wstring path = LogFilePath();
    if (m_log.PendingCount() == 0 || m_log.Flush(path).empty())
        return;
    const int count = m_log.PendingCount();
    const std::string lines = m_log.TakePending();
    const std::wstring kept = fw::DocumentsFolder() + L"\\" + UnwrittenLogName(LocalTime());
    const std::wstring failure = CreateFileBytes(kept, LogFileBytes(lines, true));
    // Where no file takes them, the message shows the lines: Ctrl+C copies a message box's text.
    std::wstring wide;
    if (!failure.empty()) {
        wide.resize(lines.size());  // never more UTF-16 units than UTF-8 bytes
        wide.resize(static_cast<size_t>(
            ::MultiByteToWideChar(CP_UTF8, 0, lines.data(), static_cast<int>(lines.size()),
                                  wide.data(), static_cast<int>(wide.size()))));
    }
    fw::MessageBox(nullptr, UnwrittenLogMessage(path, count, kept, failure, wide),
                   MB_OK | MB_ICONEXCLAMATION);
}

BOOL COrvantaDlg::PreTranslateMessage(MSG* msg) {
    // Key messages to the feedback field, which the system sends to the field with the focus:
    // the key box's answer, or keys to show by name. Everything else takes the dialog's usual
    // course. (The lock keys of the program's own writes never get here: the loop drops them.)
    constexpr UINT kLastKeyMessage = 0x0109;
    if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST && m_tips != nullptr)
        ::SendMessageW(m_tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    if (msg->message < WM_KEYDOWN || msg->message > kLastKeyMessage ||
        m_feedback.m_hWnd == nullptr || msg->hwnd != m_feedback.m_hWnd) {
        return CDialogEx::PreTranslateMessage(msg);
    }
    bool awaitAck = m_awaitAck != FALSE;
    // The keyboard's state as of this message, for the prefixes of a key pressed: a key let go
    // while the focus was elsewhere counts too.
    HeldKeys held{};
    if (msg->message == WM_KEYDOWN)
        held = {(::GetKeyState(VK_SHIFT) & 0x8000) != 0, (::GetKeyState(VK_CONTROL) & 0x8000) != 0};
    const FeedbackDecision decision = DecideFeedbackKey(
        msg->message, static_cast<std::uint32_t>(msg->wParam), awaitAck, m_expectedAck, held);
    const bool answered = m_awaitAck && !awaitAck;
    m_awaitAck = awaitAck ? TRUE : FALSE;
    BOOL consumed = TRUE;
    if (decision.action == FeedbackAction::Echo) {
        if (decision.acknowledged) {
            UpdateData(TRUE);
            m_serial = NextSerial(m_serial);
            UpdateData(FALSE);
            SaveSerial();
        }
        m_feedback.ReplaceSel(decision.text);
        UpdateData(FALSE);
    } else if (decision.action == FeedbackAction::PassOn) {
        consumed = CDialogEx::PreTranslateMessage(msg);
    }
    // The answer to a write over the lock LEDs is logged once the key has had its effect.
    if (answered && m_ledWrite) {
        m_ledWrite->result = decision.acknowledged ? LogResult::Ok : LogResult::WrongAnswer;
        LogWrite(*std::exchange(m_ledWrite, std::nullopt));
    }
    return consumed;
}

void COrvantaDlg::OnDestroy() {
    m_tips = nullptr;  // goes with its owner
    if (m_transmission.Stop())
        LeaveLocksOff();
}

void COrvantaDlg::LeaveLocksOff() {
    // The keyboard is left as it was before the write: every lock off and no lock key down,
    // judged by the keyboard's state, so a lock the user toggled meanwhile counts too. That
    // state follows the key messages as this thread takes them: take the queued ones first.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    const KeyBatch down = LockKeysWhere([](int vk) { return (::GetKeyState(vk) & 0x8000) != 0; });
    const KeyBatch on = LockKeysWhere([](int vk) { return (::GetKeyState(vk) & 1) != 0; });
    SendKeyBatch(down, KeyAction::Release);
    SendKeyBatch(on, KeyAction::Press);
    SendKeyBatch(on, KeyAction::Release);
}

void COrvantaDlg::TransmitStep(void* dialog) {
    static_cast<COrvantaDlg*>(dialog)->m_transmission.Tick();
}

bool COrvantaDlg::ControlsToMembers() {
    return UpdateData(TRUE) != FALSE;
}

WriteMembers COrvantaDlg::ReadMembers() {
    return {m_serial,   m_protected != FALSE, m_bounceTime,
            m_speed,    m_repeatText,         m_keyStack != FALSE,
            m_contacts, m_register0,          m_deviceNo};
}

void COrvantaDlg::FocusFeedback() {
    m_feedback.SetFocus();
}

bool COrvantaDlg::IsLockKeyOn(int vk) {
    return ::GetKeyState(vk) != 0;
}

void COrvantaDlg::ShowMessage(std::wstring_view text) {
    MessageBox(text);
}

void COrvantaDlg::ClearFeedback() {
    m_feedback.ReplaceAll(L"");
}

void COrvantaDlg::SetAwaitAck() {
    m_awaitAck = TRUE;
    m_ledWrite.reset();  // a new write: an earlier one's answer no longer comes
}

std::wstring COrvantaDlg::SlotText(int slot) {
    if (slot < 0 || slot >= kSlotCount)
        return {};
    return CWnd(GetDlgItem(IDC_SLOT_FIRST + slot)).GetWindowText();
}

std::wstring COrvantaDlg::RepeatFieldText() {
    return RepeatText();
}

void COrvantaDlg::SendImageBlocking(int length) {
    AwaitLedAnswer(length);
    m_transmission.SendBlocking(length);
    m_expectedAck = ComputeAckLetter(m_image.data(), length);
}

bool COrvantaDlg::StartTimedTransmission(int length) {
    m_expectedAck = ComputeAckLetter(m_image.data(), length);
    m_progressDlg = nullptr;
    if (m_transmission.Start(length, m_speed)) {
        AwaitLedAnswer(length);
        return true;
    }
    const DWORD error = ::GetLastError();
    m_awaitAck = FALSE;  // no image, no answer
    MessageBox(kTimerRefused + fw::SystemReason(error), nullptr, MB_OK | MB_ICONERROR);
    return false;
}

void COrvantaDlg::MembersToControls() {
    UpdateData(FALSE);
}

void COrvantaDlg::ClearNotWritten() {
    m_notWritten = FALSE;
}

void COrvantaDlg::LibraryWritten(const std::vector<std::uint8_t>& registers, bool ok) {
    LogRecord record = WriteRecord(LogMethod::Library);
    record.result = ok ? LogResult::Ok : LogResult::Failed;
    record.image = registers;
    LogWrite(std::move(record));
}

LogRecord COrvantaDlg::WriteRecord(LogMethod method) const {
    LogRecord record;
    record.serial = m_serial;
    record.method = method;
    record.contacts = m_contacts;
    record.configFile = FileNameOf(m_configFile);
    return record;
}

void COrvantaDlg::AwaitLedAnswer(int length) {
    m_ledWrite = WriteRecord(LogMethod::Leds);
    m_ledWrite->image.assign(m_image.begin(), m_image.begin() + length);
}

int COrvantaDlg::CurrentSlot() const {
    return m_slot;
}

void COrvantaDlg::SetCurrentSlot(int slot) {
    m_slot = slot;
}

int COrvantaDlg::Contacts() const {
    return m_contacts;
}

void COrvantaDlg::SetSlotText(int slot, std::wstring_view text) {
    // Ids past the slot range belong to the feedback and key-repeat fields.
    if (slot >= 0 && slot < kSlotCount)
        CEdit(GetDlgItem(IDC_SLOT_FIRST + slot)).ReplaceAll(text);
}

void COrvantaDlg::SelectSlot(int slot) {
    if (slot < 0 || slot >= kSlotCount)
        return;
    CEdit field(GetDlgItem(IDC_SLOT_FIRST + slot));
    field.SetSel(0, -1);
    field.ScrollCaret();
}

std::wstring COrvantaDlg::RepeatText() const {
    return CWnd(GetDlgItem(IDC_REPEAT)).GetWindowText();
}

void COrvantaDlg::SetRepeatText(std::wstring_view text) {
    // The member too: the key echo's exchange puts the members back into the fields.
    m_repeatText = text;
    CEdit(GetDlgItem(IDC_REPEAT)).ReplaceAll(text);
}

void COrvantaDlg::SendBatch(const KeyBatch& batch, KeyAction action) {
    SendKeyBatch(batch, action);
}

void COrvantaDlg::ShowCountdown(int bytesLeft) {
    m_feedback.ReplaceAll(std::to_wstring(bytesLeft));
}

void COrvantaDlg::ImageSent() {
    ClearFeedback();
    m_slot = 0;
}

void COrvantaDlg::Progress(int step) {
    if (m_progressDlg != nullptr)
        m_progressDlg->SendMessage(WM_APP_PROGRESS, static_cast<WPARAM>(step));
}

bool COrvantaDlg::StartTimer() {
    return m_txTimer.Start(TransmitStep, this);
}

void COrvantaDlg::WakeAt(std::int64_t dueUs) {
    m_txTimer.WakeAt(dueUs);
}

void COrvantaDlg::StopTimer() {
    m_txTimer.Stop();
}

std::int64_t COrvantaDlg::NowMicroseconds() {
    return CPreciseTimer::Now();
}

void COrvantaDlg::Sleep(int milliseconds) {
    ::Sleep(static_cast<DWORD>(milliseconds));
}

void COrvantaDlg::LoadSettings() {
    Settings settings{m_serial, m_contacts, m_bounceTime, m_speed};
    CRegistry registry;
    ::LoadSettings(registry, settings);
    m_serial = settings.serial;
    m_contacts = settings.contacts;
    m_bounceTime = settings.bounceTime;
    m_speed = settings.speed;
}

void COrvantaDlg::SaveSettings() {
    CRegistry registry;
    const Settings settings{m_serial, m_contacts, m_bounceTime, m_speed};
    if (::SaveSettings(registry, settings) != SaveResult::Saved)
        MessageBox(kRegistryWriteFailed, nullptr, MB_OK);
}

void COrvantaDlg::SaveSerial() {
    CRegistry registry;
    if (::SaveSerial(registry, m_serial) != SaveResult::Saved)
        MessageBox(kRegistryWriteFailed, nullptr, MB_OK);
}
