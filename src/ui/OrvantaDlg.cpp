#include "ui/OrvantaDlg.h"

#include <string>

#include "app/AboutDlg.h"
#include "framework/DataExchange.h"
#include "framework/WinApp.h"
#include "ui/Messages.h"
#include "ui/resource.h"
#include "ui/WindowMessages.h"

static_assert(IDM_ABOUTBOX % 16 == 0 && IDM_ABOUTBOX < 0xF000,
              "system menu commands are multiples of 16 below the system's own");
static_assert(IDC_SLOT_LAST - IDC_SLOT_FIRST + 1 == 48, "two slots for each of 24 contacts");

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
        fw::Message<&COrvantaDlg::OnHelpInfo>(WM_HELP),
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

    UpdateData(FALSE);
    m_notWritten = FALSE;
    // A stored count outside 1..24 leaves the list without a selection.
    m_contactsBox.SetCurSel(m_contacts - 1);

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
    OnOK();
}

void COrvantaDlg::OnSerialPlus() {
    UpdateData(TRUE);
    // The serial number wraps around like the 32-bit register it is written to.
    m_serial = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_serial) + 1u);
    UpdateData(FALSE);
}
