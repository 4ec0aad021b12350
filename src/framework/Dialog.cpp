#include "framework/Dialog.h"

#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/MessageLoop.h"
#include "framework/WinApp.h"

namespace {

// The property that ties a dialog window to its framework object.
constexpr wchar_t kDialogProp[] = L"Orvanta.Dialog";

bool ReturnsDirectly(UINT msg) {
    // The few dialog messages whose result is the dialog procedure's own return value.
    return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_COMPAREITEM ||
           msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM || msg == WM_QUERYDRAGICON ||
           msg == WM_INITDIALOG;
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* owner) : m_templateId(templateId), m_owner(owner) {}

CDialog::~CDialog() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

const fw::MsgMap* CDialog::GetThisMessageMap() {
    static const fw::MsgMap map{nullptr, nullptr, nullptr};
    return &map;
}

CDialog* CDialog::FromHandle(HWND hwnd) {
    return static_cast<CDialog*>(::GetPropW(hwnd, kDialogProp));
}

HWND CDialog::ResolveOwner() const {
    if (m_owner != nullptr && m_owner->m_hWnd != nullptr)
        return m_owner->m_hWnd;
    CWinApp* app = AfxGetApp();
    if (app == nullptr || app->m_pMainWnd == nullptr || app->m_pMainWnd == this)
        return nullptr;
    HWND main = app->m_pMainWnd->m_hWnd;
    // A dialog opened from another modal dialog belongs to that one, not to the disabled main.
    return main != nullptr ? ::GetLastActivePopup(main) : nullptr;
}

INT_PTR CDialog::DoModal() {
    HWND owner = ResolveOwner();
    const bool disableOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);

    m_result = -1;
    m_running = true;
    HWND hwnd = ::CreateDialogParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_templateId), owner,
                                     DialogProc, reinterpret_cast<LPARAM>(this));
    if (hwnd == nullptr) {
        m_running = false;
        if (disableOwner)
            ::EnableWindow(owner, TRUE);
        return -1;
    }
    if (m_running)
        ::ShowWindow(hwnd, SW_SHOWNORMAL);

    fw::RunModalLoop(hwnd, m_running);  // also keeps precise timers
    m_running = false;

    // The owner gets the activation back only if it is enabled before this window goes.
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner != nullptr && ::GetActiveWindow() == hwnd)
        ::SetActiveWindow(owner);
    if (::IsWindow(hwnd))
        ::DestroyWindow(hwnd);
    m_hWnd = nullptr;
    return m_result;
}

void CDialog::EndDialog(int result) {
    m_result = result;
    m_running = false;
    if (m_hWnd != nullptr)
        PostMessage(WM_NULL);  // wakes the loop if it is waiting
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(dx);
    if (!dx.Failed())
        return TRUE;

    MessageBox(dx.FailMessage(), nullptr, MB_OK | MB_ICONEXCLAMATION);
    if (HWND control = GetDlgItem(dx.FailId())) {
        // As Tab would: the focus moves to the field and an edit's text is selected.
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        ::SendMessageW(control, EM_SETSEL, 0, -1);
    }
    return FALSE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    return m_hWnd != nullptr && ::IsDialogMessageW(m_hWnd, msg);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange&) {}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CDialog*>(lParam);
        self->m_hWnd = hwnd;
        ::SetPropW(hwnd, kDialogProp, self);
        return self->OnInitDialog();
    }
    CDialog* self = FromHandle(hwnd);
    if (self == nullptr)
        return FALSE;
    if (msg == WM_NCDESTROY) {
        ::RemovePropW(hwnd, kDialogProp);
        self->m_hWnd = nullptr;
        return FALSE;
    }
    return self->HandleMessage(msg, wParam, lParam);
}

INT_PTR CDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (const fw::MsgEntry* entry = fw::FindEntry(GetMessageMap(), msg, wParam)) {
        const bool outer = m_msgHandled;  // handlers may run nested message loops
        m_msgHandled = true;
        const LRESULT result = entry->thunk(*this, wParam, lParam);
        const bool handled = m_msgHandled;
        m_msgHandled = outer;
        if (handled) {
            if (ReturnsDirectly(msg))
                return static_cast<INT_PTR>(result);
            ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
            return TRUE;
        }
    }
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
                OnOK();
                return TRUE;
            }
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
            break;
        case WM_DESTROY:
            OnDestroy();
            break;
        default:
            break;
    }
    return FALSE;
}
