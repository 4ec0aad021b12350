#include "app/AboutDlg.h"

#include "app/OrvantaApp.h"
#include "framework/DataExchange.h"
#include "ui/resource.h"

CAboutDlg::CAboutDlg() : CDialogEx(IDD_ABOUTBOX) {}

void CAboutDlg::DoDataExchange(CDataExchange& dx) {
    CDialogEx::DoDataExchange(dx);
    fw::DDX_Text(dx, IDC_ABOUT_VERSION, m_versionText);
    fw::DDX_Text(dx, IDC_ABOUT_BRAND, m_brandText);
}

BOOL CAboutDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    m_versionText = TheApp().m_versionTitle;
    m_brandText = TheApp().m_brandLine;
    UpdateData(FALSE);
    return TRUE;
}
