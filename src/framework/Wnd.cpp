#include "framework/Wnd.h"

#include "framework/MessageBox.h"

std::wstring CWnd::GetWindowText() const {
    const int length = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(m_hWnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void CWnd::SetWindowText(std::wstring_view text) {
    // Setting an edit's text resets its caret and selection; leave an unchanged text alone.
    if (GetWindowText() != text)
        ::SetWindowTextW(m_hWnd, std::wstring(text).c_str());
}

int CWnd::MessageBox(std::wstring_view text, const wchar_t* caption, UINT type) const {
    return fw::MessageBox(m_hWnd, text, type, caption);
}

void CWnd::PaintIcon(HICON icon) const {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, icon);
    ::EndPaint(m_hWnd, &paint);
}
