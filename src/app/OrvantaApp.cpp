#include "app/OrvantaApp.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/Branding.h"
#include "framework/AppName.h"
#include "ui/OrvantaDlg.h"

namespace {
COrvantaApp theApp;
}

COrvantaApp& TheApp() {
    return theApp;
}

BOOL COrvantaApp::InitInstance() {
    // All classes of the first common-controls generation (the structure size is 8 bytes).
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
    ::InitCommonControlsEx(&controls);

    CWinApp::InitInstance();

    m_versionTitle = MakeVersionTitle(m_appName);
    m_brandLine = BrandLine(ChooseBrand(m_versionTitle));

    auto exists = [](const std::wstring& path) {
        return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    auto dialog =
        std::make_unique<COrvantaDlg>(m_versionTitle, fw::FileArguments(m_lpCmdLine, exists));
    m_pMainWnd = dialog.get();
    dialog->DoModal();
    m_pMainWnd = nullptr;
    dialog->ReportUnwrittenLog();
    dialog.reset();

    // The program ends with its main dialog.
    return FALSE;
}
