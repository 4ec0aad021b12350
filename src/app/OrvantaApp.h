// The application object: version title and brand line, then the main dialog, modally.
#pragma once

#include <string>

#include "framework/WinApp.h"

class COrvantaApp : public CWinApp {
public:
    BOOL InitInstance() override;

    std::wstring m_versionTitle;  // application name + " V2.0": window title, about box
    std::wstring m_brandLine;     // second line of the about box
};

COrvantaApp& TheApp();
