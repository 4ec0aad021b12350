#include "ui/OrvantaDlg.h"

#include <string>

#include "app/AboutDlg.h"
#include "framework/DataExchange.h"
#include "framework/WinApp.h"
#include "programming/AckLetter.h"
#include "programming/BlockingTransmitter.h"
#include "programming/KeySender_win.h"
#include "programming/TimedTransmitter.h"
#include "programming/WriteCommand.h"
#include "settings/Registry_win.h"
#include "settings/Settings.h"
#include "ui/Messages.h"
#include "ui/ProgressDlg.h"
#include "ui/TestDlg.h"
#include "ui/WindowMessages.h"
#include "ui/resource.h"

static_assert(IDM_ABOUTBOX % 16 == 0 && IDM_ABOUTBOX < 0xF000,
              "system menu commands are multiples of 16 below the system's own");
static_assert(IDC_SLOT_LAST - IDC_SLOT_FIRST + 1 == kSlotCount, "two slots for each contact");

namespace {

// One timed transmission at a time: what it keeps between ticks lives for the process.
CTimedTransmitter s_transmitter;

// The dialog's side of the write command.
class WriteRequest final : public CWriteCommand {
public:
    explicit WriteRequest(COrvantaDlg& dialog) : m_dialog(dialog) {}

protected:
    void ControlsToMembers() override { m_dialog.UpdateData(TRUE); }
    Members ReadMembers() override {
        Members m;
        m.serial = m_dialog.m_serial;
        m.protectedFlag = m_dialog.m_protected != FALSE;
        m.bounceTime = m_dialog.m_bounceTime;
        m.speed = m_dialog.m_speed;
        m.repeatText = m_dialog.m_repeatText;
        m.keyStack = m_dialog.m_keyStack != FALSE;
        m.contacts = m_dialog.m_contacts;
        m.register0 = m_dialog.m_register0;
        m.deviceNo = m_dialog.m_deviceNo;
        return m;
    }
    void FocusFeedback() override { m_dialog.m_feedback.SetFocus(); }
    bool IsLockKeyOn(int vk) override { return ::GetKeyState(vk) != 0; }
    void ShowMessage(std::wstring_view text) override { m_dialog.MessageBox(text); }
    void ClearFeedback() override { m_dialog.m_feedback.ReplaceAll(L""); }
    void SetAwaitAck() override { m_dialog.m_awaitAck = TRUE; }
    std::wstring SlotText(int slot) override { return m_dialog.SlotText(slot); }
    std::wstring RepeatFieldText() override { return m_dialog.RepeatFieldText(); }
    void SendImageBlocking(const ConfigImage& image, int length) override {
        m_dialog.SendImageBlocking(image.data(), length);
    }
    void StartTimedTransmission(int length) override { m_dialog.StartTimedTransmission(length); }
    void MembersToControls() override { m_dialog.UpdateData(FALSE); }
    void ClearNotWritten() override { m_dialog.m_notWritten = FALSE; }

private:
    COrvantaDlg& m_dialog;
};

// The blocking form of the channel: the thread sleeps between the batches.
class BlockingSender final : public CBlockingTransmitter {
public:
    explicit BlockingSender(COrvantaDlg& dialog) : m_dialog(dialog) {}

protected:
    void SendBatch(const KeyBatch& batch, KeyAction action) override {
        SendKeyBatch(batch, action);
    }
    void Pause(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }
    void ShowCountdown(int bytesLeft) override {
        m_dialog.m_feedback.ReplaceAll(std::to_wstring(bytesLeft));
    }
    void SetExpectedAck(int letter) override { m_dialog.m_expectedAck = letter; }
    void ClearFeedback() override { m_dialog.m_feedback.ReplaceAll(L""); }
    void ResetSlot() override { m_dialog.m_slot = 0; }

private:
    COrvantaDlg& m_dialog;
};

}  // namespace

COrvantaDlg::COrvantaDlg() : CDialogEx(IDD_ORVANTA_DIALOG) {
    m_icon = ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));

    // The library is asked once, here: a key box plugged in later is not seen through it.
    m_device = std::make_unique<CBrondel>();
    if (m_device->OpenVelkara() == 0) {
        m_device->CloseVelkara();
        m_device.reset();
    }
}

COrvantaDlg::~COrvantaDlg() {
    if (m_device) {
        m_device->CloseVelkara();
        m_device.reset();
    }
}

const fw::MsgMap* COrvantaDlg::GetThisMessageMap() {
    static const fw::MsgEntry entries[] = {
        fw::Message<&COrvantaDlg::OnSysCommand>(WM_SYSCOMMAND),
        fw::Message<&COrvantaDlg::OnPaint>(WM_PAINT),
        fw::Message<&COrvantaDlg::OnQueryDragIcon>(WM_QUERYDRAGICON),
        fw::Command<&COrvantaDlg::OnContactsSelChange>(IDC_CONTACTS, CBN_SELCHANGE),
        fw::Command<&COrvantaDlg::OnContactsEditChange>(IDC_CONTACTS, CBN_EDITCHANGE),
        fw::Command<&COrvantaDlg::OnWrite>(IDC_WRITE),
        fw::Command<&COrvantaDlg::OnRead>(IDC_READ),
        fw::CommandRange<&COrvantaDlg::OnSlotFocus>(IDC_SLOT_FIRST, IDC_SLOT_LAST, EN_SETFOCUS),
        fw::Command<&COrvantaDlg::OnExit>(IDOK),
        fw::Command<&COrvantaDlg::OnSerialPlus>(IDC_SERIAL_PLUS),
        fw::Command<&COrvantaDlg::OnTest>(IDC_TEST),
        fw::Message<&COrvantaDlg::OnHelpInfo>(WM_HELP),
        fw::Message<&COrvantaDlg::OnWriteRequest>(WM_APP_WRITE),
    };
    static const fw::MsgMap map = fw::MakeMap<CDialogEx>(entries);
    return &map;
}

void COrvantaDlg::DoDataExchange(CDataExchange& dx) {
    CDialogEx::DoDataExchange(dx);
    fw::DDX_Control(dx, IDC_CONTACTS, m_contactsBox);
    fw::DDX_Text(dx, IDC_SERIAL, m_serial);
    fw::DDX_CBString(dx, IDC_CONTACTS, m_contactsText);
    fw::DDX_Check(dx, IDC_PROTECTED, m_protected);
    fw::DDX_Text(dx, IDC_BOUNCE, m_bounceTime);
    fw::DDX_Check(dx, IDC_KEYSTACK, m_keyStack);
    fw::DDX_Text(dx, IDC_REPEAT, m_repeatText);
    fw::DDX_Text(dx, IDC_SPEED, m_speed);
    fw::DDV_MinMaxUInt(dx, IDC_SPEED, m_speed, 1, 500);
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
    }

    SetIcon(m_icon, TRUE);
    SetIcon(m_icon, FALSE);

    m_programmedButton.ShowWindow(SW_HIDE);
    m_waitButton.ShowWindow(SW_HIDE);
    m_readButton.ShowWindow(SW_HIDE);

    ::SetWindowTextW(m_hWnd, std::wstring(m_versionTitle).c_str());

    LoadSettings();
    UpdateData(FALSE);
    m_notWritten = FALSE;
    // A stored count outside 1..24 leaves the list without a selection (and a count of
    // INT32_MIN must not overflow on the way).
    m_contactsBox.SetCurSel(m_contacts >= 1 && m_contacts <= 24 ? m_contacts - 1 : -1);

    for (int id = IDC_SLOT_FIRST; id <= IDC_SLOT_LAST; ++id)
        CEdit(GetDlgItem(id)).ReplaceAll(L"0");

    return TRUE;
}

LRESULT COrvantaDlg::OnSysCommand(WPARAM command, LPARAM) {
    if ((command & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
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

void COrvantaDlg::OnContactsSelChange() {
    const int index = m_contactsBox.GetCurSel();
    m_notWritten = TRUE;
    if (index != CB_ERR)
        m_contacts = index + 1;
}

void COrvantaDlg::OnContactsEditChange() {
    UpdateData(TRUE);
    const int index = m_contactsBox.GetCurSel();
    if (index != CB_ERR)
        m_contacts = index + 1;
    m_notWritten = TRUE;
    UpdateData(FALSE);
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
    // The serial number wraps around like the 32-bit register it is written to.
    m_serial = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_serial) + 1u);
    UpdateData(FALSE);
}

void COrvantaDlg::OnTest() {
    CTestDlg test;
    test.DoModal();
}

LRESULT COrvantaDlg::OnWriteRequest(WPARAM blocking, LPARAM) {
    WriteRequest request(*this);
    return request.Run(m_device.get(), m_image, blocking != 0);
}

std::wstring COrvantaDlg::SlotText(int slot) const {
    if (slot < 0 || slot >= kSlotCount)
        return {};
    return CWnd(GetDlgItem(IDC_SLOT_FIRST + slot)).GetWindowText();
}

std::wstring COrvantaDlg::RepeatFieldText() const {
    return CWnd(GetDlgItem(IDC_REPEAT)).GetWindowText();
}

void COrvantaDlg::SendImageBlocking(const std::uint8_t* image, int length) {
    BlockingSender sender(*this);
    sender.SendImage(image, length);
}

void COrvantaDlg::StartTimedTransmission(int length) {
    m_txStep = 0;
    m_txSteps = CTimedTransmitter::StepCount(length);
    m_expectedAck = ComputeAckLetter(m_image.data(), length);
    KillTransmissionTimer();
    m_timerId = ::SetTimer(nullptr, 0, m_speed, TransmitTimerProc);
    m_progressDlg = nullptr;
}

void CALLBACK COrvantaDlg::TransmitTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    CWinApp* app = AfxGetApp();
    auto* dialog = app != nullptr ? dynamic_cast<COrvantaDlg*>(app->m_pMainWnd) : nullptr;
    if (dialog != nullptr && dialog->m_hWnd != nullptr)
        dialog->TransmitStep();
}

void COrvantaDlg::TransmitStep() {
    const auto effects = s_transmitter.Tick(m_txStep, m_txSteps, m_image);
    if (effects.countdown)
        m_feedback.ReplaceAll(std::to_wstring(*effects.countdown));
    if (effects.send)
        SendKeyBatch(effects.batch, effects.action);
    if (effects.clearFeedback) {
        m_feedback.ReplaceAll(L"");
        m_slot = 0;
    }
    if (effects.progress > 0 && m_progressDlg != nullptr)
        m_progressDlg->SendMessage(WM_APP_PROGRESS, static_cast<WPARAM>(effects.progress));
    // After the trailer's release the timer has nothing left to do.
    if (m_txStep >= m_txSteps)
        KillTransmissionTimer();
}

void COrvantaDlg::KillTransmissionTimer() {
    if (m_timerId != 0)
        ::KillTimer(nullptr, m_timerId);
    m_timerId = 0;
}

void COrvantaDlg::StopTransmission() {
    KillTransmissionTimer();
    // A transmission cut short would leave locks on, or a lock key held down, on the user's
    // keyboard: finish it off so the keyboard is as it was before.
    const auto leftover = s_transmitter.Abort(m_txStep, m_txSteps);
    SendKeyBatch(leftover.held, KeyAction::Release);
    SendKeyBatch(leftover.locksOn, KeyAction::Press);
    SendKeyBatch(leftover.locksOn, KeyAction::Release);
    m_txStep = m_txSteps;
}

void COrvantaDlg::OnDestroy() {
    StopTransmission();
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
