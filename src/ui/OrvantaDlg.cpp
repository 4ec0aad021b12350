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
#include "programming/AckLetter.h"
#include "settings/FieldRules.h"
#include "settings/Registry_win.h"
#include "settings/Settings.h"
#include "ui/ConfigFiles.h"
#include "ui/Keycodes.h"
#include "ui/LogKeyMaps.h"
#include "ui/Messages.h"
#include "ui/ProgressDlg.h"
#include "ui/SystemMenu.h"
#include "ui/TestDlg.h"
#include "ui/WindowMessages.h"
#include "ui/resource.h"

static_assert(IDC_SLOT_LAST - IDC_SLOT_FIRST + 1 == kSlotCount, "two slots for each contact");

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
        fw::Message<&COrvantaDlg::OnEndSession>(WM_ENDSESSION),
    };
    static const fw::MsgMap map = fw::MakeMap<CDialogEx>(entries);
    return &map;
}

void COrvantaDlg::DoDataExchange(CDataExchange& dx) {
    CDialogEx::DoDataExchange(dx);
    fw::DDX_Control(dx, IDC_CONTACTS, m_contactsBox);
    fw::DDX_Text(dx, IDC_SERIAL, m_config.serial);
    if (dx.m_bSaveAndValidate) {
        fw::DDX_CBString(dx, IDC_CONTACTS, m_contactsText);
    } else {
        ShowContacts();
    }
    fw::DDX_Check(dx, IDC_PROTECTED, m_config.protectedFlag);
    fw::DDX_Text(dx, IDC_BOUNCE, m_config.bounceTime);
    fw::DDX_Check(dx, IDC_KEYSTACK, m_keyStack);
    fw::DDX_Text(dx, IDC_REPEAT, m_config.repeatText);
    fw::DDX_Text(dx, IDC_SPEED, m_config.speed);
    fw::DDV_MinMaxUInt(dx, IDC_SPEED, m_config.speed, kMinSpeed, kMaxSpeed);
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

    if (HMENU systemMenu = GetSystemMenu(FALSE))
        AddProgramCommands(systemMenu);
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
    // So do the production log lines that an earlier run could not log.
    m_logKeeper.SetOwner(m_hWnd);
    if (::SetTimer(m_hWnd, kFieldTipsTimer, USER_TIMER_MINIMUM, nullptr) == 0)
        AfterFirstPaint();

    CRegistry registry;
    ::LoadSettings(registry, m_config);
    m_shared.Start(m_hWnd, m_config.serial);
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
        ChooseLogFile(m_hWnd);
    } else if (id == IDM_SHARED_SERIAL) {
        if (UpdateData(TRUE) && m_shared.Choose(m_config.serial))
            UpdateData(FALSE);
    } else if (id == IDM_LOG_KEY_MAP) {
        if (const auto values = TakeKeyMapFromLog(m_hWnd))
            ApplyConfiguration(*values);
    } else {
        SetMsgHandled(false);  // minimize, move, close and the rest as usual
    }
    return 0;
}

LRESULT COrvantaDlg::OnPaint(WPARAM, LPARAM) {
    if (IsIconic())
        PaintIcon(m_icon);
    else
        SetMsgHandled(false);
    return 0;
}

LRESULT COrvantaDlg::OnTimer(WPARAM id, LPARAM) {
    SetMsgHandled(id == kFieldTipsTimer);
    if (id == kFieldTipsTimer) {
        ::KillTimer(m_hWnd, kFieldTipsTimer);
        AfterFirstPaint();
    }
    return 0;
}

void COrvantaDlg::AfterFirstPaint() {
    m_tips.Create(m_hWnd);
    m_logKeeper.Start();
}

LRESULT COrvantaDlg::OnEndSession(WPARAM ending, LPARAM) {
    // Windows is shutting down and ends the program without a WM_DESTROY: the write whose
    // answer was awaited leaves its line now, with the locks as they were before it.
    if (ending)
        m_logKeeper.End(m_transmitter.Stop());
    return 0;
}

LRESULT COrvantaDlg::OnNotify(WPARAM, LPARAM info) {
    if (!m_tips.Answer(info, m_config.contacts))
        SetMsgHandled(false);
    return 0;
}

void COrvantaDlg::ShowContacts() {
    // The field shows the count in use with its item selected, and nothing with no selection
    // for a count outside the list, never one count while another is used.
    m_contactsText = ContactsText(m_config.contacts);
    m_contactsBox.SetCurSel(ContactsListIndex(m_config.contacts));
}

void COrvantaDlg::OnContactsSelChange() {
    const int index = m_contactsBox.GetCurSel();
    m_notWritten = TRUE;
    if (const auto contacts = ContactsFromListIndex(index))
        m_config.contacts = *contacts;
}

void COrvantaDlg::OnContactsEditChange() {
    UpdateData(TRUE);
    // A typed count is in use as soon as its text names a list item, as a pick is. The text is
    // read here, not from the exchange, which stops early when a field before it is refused.
    const std::wstring typed = m_contactsBox.GetWindowText();
    if (const auto contacts = ContactsFromText(typed))
        m_config.contacts = *contacts;
    m_notWritten = TRUE;
    const DWORD caret = m_contactsBox.GetEditSel();
    UpdateData(FALSE);
    // Selecting the item rewrites the field: the user's caret goes back where it was, so that
    // the next key typed adds to the text instead of replacing it.
    if (m_contactsBox.GetWindowText() == typed)
        m_contactsBox.SetEditSel(caret);
}

void COrvantaDlg::OnRead() {
    UpdateData(TRUE);
    const CWaitCursor wait;
    MessageBox(kNotImplemented, nullptr, MB_OK);
    UpdateData(FALSE);
}

void COrvantaDlg::OnKeycode() {
    CKeycodes chooser(this);
    chooser.DoModal();
    // Whatever the chooser did is already in the fields, even when it was cancelled.
    m_notWritten = TRUE;
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
    m_config.serial = NextSerial(m_config.serial);
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
    OpenOneFile(fw::DroppedFiles(reinterpret_cast<HDROP>(wParam)), kDropOneFile);
    return 0;
}

LRESULT COrvantaDlg::OnOpenStartupFile(WPARAM, LPARAM) {
    OpenOneFile(m_startupFiles, kStartWithOneFile);
    return 0;
}

void COrvantaDlg::OpenOneFile(const std::vector<std::wstring>& files, const wchar_t* tooMany) {
    if (files.size() == 1)
        OpenConfiguration(files.front());
    else
        MessageBox(tooMany, nullptr, MB_OK | MB_ICONEXCLAMATION);
}

void COrvantaDlg::OpenConfiguration(const std::wstring& path) {
    const ConfigRead read = OpenConfigFile(m_hWnd, path);
    if (!read.error.empty())
        return;  // the message has named the file and what is wrong
    ApplyConfiguration(read.values);
    m_configFile = path;
    if (!read.notice.empty())
        MessageBox(read.notice, nullptr, MB_OK | MB_ICONEXCLAMATION);
}

void COrvantaDlg::ApplyConfiguration(const ConfigValues& values) {
    ApplyFileValues(values, m_config);
    m_config.slots = {};  // the slot fields hold them
    // Only the fields the file names change: the others keep what was typed into them.
    if (values.contacts)
        ShowContacts();
    if (values.bounceTime)
        CWnd(GetDlgItem(IDC_BOUNCE)).SetWindowText(std::to_wstring(*values.bounceTime));
    if (values.speed)
        CWnd(GetDlgItem(IDC_SPEED)).SetWindowText(std::to_wstring(*values.speed));
    if (values.protectedFlag)
        ::CheckDlgButton(m_hWnd, IDC_PROTECTED,
                         *values.protectedFlag ? BST_CHECKED : BST_UNCHECKED);
    if (values.repeatText)
        SetRepeatText(*values.repeatText);
    for (int s = 0; s < kSlotCount; ++s) {
        if (const auto& slot = values.slots[static_cast<size_t>(s)])
            SetSlotText(s, *slot);
    }
    m_notWritten = TRUE;  // no key box holds this configuration yet
}

void COrvantaDlg::SaveConfiguration(const std::wstring& path) {
    // A refused field has said why; a file that could not be saved says so itself.
    if (UpdateData(TRUE) && SaveConfigFile(m_hWnd, path, FileValuesOf(Members())))
        m_configFile = path;
}

BOOL COrvantaDlg::PreTranslateMessage(MSG* msg) {
    // Key messages to the feedback field, which the system sends to the field with the focus:
    // the key box's answer, or keys to show by name. Everything else takes the dialog's usual
    // course. (The lock keys of the program's own writes never get here: the loop drops them.)
    constexpr UINT kLastKeyMessage = 0x0109;
    m_tips.Relay(msg);
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
            m_config.serial = m_shared.Next(m_config.serial);
            UpdateData(FALSE);
            SaveSettings(true);
        }
        m_feedback.ReplaceSel(decision.text);
        UpdateData(FALSE);
    } else if (decision.action == FeedbackAction::PassOn) {
        consumed = CDialogEx::PreTranslateMessage(msg);
    }
    // The answer to a write over the lock LEDs is logged once the key has had its effect.
    if (answered)
        m_logKeeper.Answered(decision.acknowledged);
    return consumed;
}

void COrvantaDlg::OnDestroy() {
    m_tips.Destroyed();
    m_logKeeper.End(m_transmitter.Stop());
}

WriteInput COrvantaDlg::ReadInput() {
    return {Members(), m_keyStack != FALSE, m_register0, m_deviceNo};
}

Configuration COrvantaDlg::Members() const {
    Configuration config = m_config;
    for (int s = 0; s < kSlotCount; ++s)
        config.slots[static_cast<size_t>(s)] = SlotText(s);
    return config;
}

void COrvantaDlg::SetAwaitAck() {
    m_awaitAck = TRUE;
    // A new write: an earlier one's answer no longer comes.
    m_logKeeper.WriteStarting(m_transmitter.Running());
}

void COrvantaDlg::SendImageBlocking(int length) {
    AwaitLedAnswer(length);
    m_transmitter.SendBlocking(length);
    m_expectedAck = ComputeAckLetter(m_image.data(), length);
}

bool COrvantaDlg::StartTimedTransmission(int length) {
    m_expectedAck = ComputeAckLetter(m_image.data(), length);
    m_progressDlg = nullptr;
    if (m_transmitter.Start(length, m_config.speed)) {
        AwaitLedAnswer(length);
        return true;
    }
    const DWORD error = ::GetLastError();
    m_awaitAck = FALSE;  // no image, no answer
    MessageBox(kTimerRefused + fw::SystemReason(error), nullptr, MB_OK | MB_ICONERROR);
    return false;
}

void COrvantaDlg::LibraryWritten(const std::vector<std::uint8_t>& image, bool ok) {
    m_logKeeper.Log(WriteRecord(LogMethod::Library, image), ok ? LogResult::Ok : LogResult::Failed);
    if (ok && m_shared.InUse())  // the field shows the counter's number once the line is in
        m_config.serial = m_shared.Next(m_config.serial);
}

void COrvantaDlg::AwaitLedAnswer(int length) {
    m_logKeeper.AwaitAnswer(
        WriteRecord(LogMethod::Leds, {m_image.begin(), m_image.begin() + length}));
}

LogRecord COrvantaDlg::WriteRecord(LogMethod method, std::vector<std::uint8_t> image) const {
    return MakeLogRecord(m_config, method, FileNameOf(m_configFile), std::move(image));
}

void COrvantaDlg::SetSlotText(int slot, std::wstring_view text) {
    // Ids past the slot range belong to the feedback and key-repeat fields.
    if (slot >= 0 && slot < kSlotCount)
        CEdit(GetDlgItem(IDC_SLOT_FIRST + slot)).ReplaceAll(text);
}

void COrvantaDlg::SelectSlot(int slot) {
    if (slot >= 0 && slot < kSlotCount)
        CEdit(GetDlgItem(IDC_SLOT_FIRST + slot)).SelectAll();
}

void COrvantaDlg::SetRepeatText(std::wstring_view text) {
    // The member too: the key echo's exchange puts the members back into the fields.
    m_config.repeatText = text;
    CEdit(GetDlgItem(IDC_REPEAT)).ReplaceAll(text);
}

void COrvantaDlg::SaveSettings(bool serialOnly) {
    CRegistry registry;
    const SaveResult saved =
        serialOnly ? ::SaveSerial(registry, m_config.serial) : ::SaveSettings(registry, m_config);
    if (saved != SaveResult::Saved)
        MessageBox(kRegistryWriteFailed, nullptr, MB_OK);
}
