#include "framework/WinApp.h"

#include <cassert>
#include <vector>

#include "framework/AppName.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp() {
    assert(g_app == nullptr && "one application object per process");
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* AfxGetApp() {
    return g_app;
}

HINSTANCE AfxGetInstanceHandle() {
    return g_app ? g_app->m_hInstance : ::GetModuleHandleW(nullptr);
}

int AfxWinMain(HINSTANCE instance, const wchar_t* commandLine) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = commandLine != nullptr ? commandLine : L"";

    // Long paths are allowed; grow the buffer until the whole path fits.
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return 1;
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    app->m_appName = fw::AppNameFromPath(std::wstring_view(path.data(), path.size()));

    app->InitInstance();
    return 0;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    return AfxWinMain(instance, commandLine);
}
