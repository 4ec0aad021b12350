// CWinApp: the one application object. The entry point names the application after the
// executable, runs InitInstance and ends the process after it.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();

    // Start-up; the program's main dialog runs inside it. The process ends when it returns.
    virtual BOOL InitInstance() { return TRUE; }

    HINSTANCE m_hInstance = nullptr;
    std::wstring m_appName;      // the executable's file name without its extension
    std::wstring m_lpCmdLine;    // the command line after the executable's name
    CWnd* m_pMainWnd = nullptr;  // the main dialog while it runs

    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
};

// The application object; also how a window-less timer callback finds the main dialog.
CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();

// Called by the entry point.
int AfxWinMain(HINSTANCE instance, const wchar_t* commandLine);
