// CWnd: a thin, non-owning view of a window handle with the few calls the dialogs make.
// Destroying a CWnd never destroys its window.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND hwnd) : m_hWnd(hwnd) {}
    virtual ~CWnd() = default;

    void Attach(HWND hwnd) { m_hWnd = hwnd; }

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

    std::wstring GetWindowText() const;
    void SetWindowText(std::wstring_view text);

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, msg, wParam, lParam);
    }

    BOOL ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
    HWND SetFocus() const { return ::SetFocus(m_hWnd); }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    HICON SetIcon(HICON icon, BOOL bigIcon) const {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL,
                                                   reinterpret_cast<LPARAM>(icon)));
    }

    // Paints the icon in the middle of the client area, as a minimized dialog shows it.
    void PaintIcon(HICON icon) const;

    // A message box owned by this window; without a caption it carries the application name.
    int MessageBox(std::wstring_view text, const wchar_t* caption = nullptr,
                   UINT type = MB_OK) const;

    HWND m_hWnd = nullptr;
};

// The wait cursor while an object of this class lives; then the cursor shown before it.
class CWaitCursor {
public:
    CWaitCursor() : m_previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() {
        if (m_previous != nullptr)
            ::SetCursor(m_previous);
    }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};
