// The keyboard test dialog: every keyboard message that reaches it becomes one line of its log,
// with the message's raw parameters, so that what a keyboard or a configured key box sends can
// be watched key-down by key-up. No key acts on the dialog itself.
#pragma once

#include <string>

#include "framework/DialogEx.h"

class CTestDlg : public CDialogEx {
public:
    explicit CTestDlg(CWnd* owner = nullptr);

    // Logs and consumes every keyboard message; any other goes on to the base.
    BOOL PreTranslateMessage(MSG* msg) override;

    std::wstring m_log;  // the whole log, shown in edit 1010

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;

    LRESULT OnHelpInfo(WPARAM, LPARAM);
    LRESULT OnSysKey(WPARAM, LPARAM);

private:
    void AppendLine(const std::wstring& line);

    DECLARE_MESSAGE_MAP()
};
