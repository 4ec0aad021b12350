// The about box: version title and brand line, opened from the system menu.
#pragma once

#include <string>

#include "framework/DialogEx.h"

class CAboutDlg : public CDialogEx {
public:
    CAboutDlg();

    std::wstring m_versionText;
    std::wstring m_brandText;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
};
