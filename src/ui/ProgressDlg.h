// A progress dialog for a timed transmission: the owner sets the last position, sends the
// position after every step and the dialog closes itself at the end.
#pragma once

#include "framework/DialogEx.h"
#include "framework/ProgressCtrl.h"

class CProgressDlg : public CDialogEx {
public:
    explicit CProgressDlg(CWnd* owner = nullptr);

    CProgressCtrl m_progress;
    int m_maximum = 1;  // set by the owner before the window is created

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    LRESULT OnProgress(WPARAM position, LPARAM);
    LRESULT OnProgressDone(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};
