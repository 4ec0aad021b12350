#include "ui/ProgressDlg.h"

#include "framework/DataExchange.h"
#include "ui/WindowMessages.h"
#include "ui/resource.h"

CProgressDlg::CProgressDlg(CWnd* owner) : CDialogEx(IDD_PROGRESS, owner) {}

const fw::MsgMap* CProgressDlg::GetThisMessageMap() {
    static const fw::Entry<CProgressDlg> entries[] = {
        fw::Message<&CProgressDlg::OnProgress>(WM_APP_PROGRESS),
        fw::Message<&CProgressDlg::OnProgressDone>(WM_APP_PROGRESS_DONE),
    };
    static const fw::MsgMap map = fw::MakeMap<CDialogEx>(entries);
    return &map;
}

void CProgressDlg::DoDataExchange(CDataExchange& dx) {
    CDialogEx::DoDataExchange(dx);
    fw::DDX_Control(dx, IDC_PROGRESS_BAR, m_progress);
}

BOOL CProgressDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    m_progress.SetRange16(m_maximum);
    return TRUE;
}

void CProgressDlg::OnOK() {
    CDialogEx::OnOK();
}

LRESULT CProgressDlg::OnProgress(WPARAM position, LPARAM) {
    m_progress.SetPos(static_cast<int>(position));
    if (static_cast<int>(position) >= m_maximum)
        SendMessage(WM_APP_PROGRESS_DONE);
    return 0;
}

LRESULT CProgressDlg::OnProgressDone(WPARAM, LPARAM) {
    OnOK();
    return 0;
}
