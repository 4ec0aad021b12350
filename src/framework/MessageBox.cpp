#include "framework/MessageBox.h"

#include <string>

#include "framework/WinApp.h"

namespace fw {

int MessageBox(HWND owner, std::wstring_view text, UINT type, const wchar_t* caption) {
    std::wstring appName;
    if (caption == nullptr) {
        if (CWinApp* app = AfxGetApp())
            appName = app->m_appName;
        caption = appName.c_str();
    }
    return ::MessageBoxW(owner, std::wstring(text).c_str(), caption, type);
}

}  // namespace fw
