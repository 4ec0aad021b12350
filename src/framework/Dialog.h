// CDialog: a dialog from a template, run modally by our own message loop so that every
// dialog can filter its messages (PreTranslateMessage) before they are translated and
// dispatched.
#pragma once

#include <windows.h>

#include "framework/MessageMap.h"
#include "framework/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    // Without an owner, a dialog other than the main one is owned by the main dialog.
    explicit CDialog(UINT templateId, CWnd* owner = nullptr);
    ~CDialog() override;
    // A dialog object stands for its window and the window's state: it cannot be copied.
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Creates the dialog, disables its owner and runs the loop until EndDialog.
    // Returns the EndDialog result, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    // Exchanges the members with the controls: TRUE reads and validates the controls,
    // FALSE shows the members. A failed read has shown its message, put the focus on the
    // field and selected its text; it returns FALSE.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Asked for each message the loop takes for this dialog or its controls; nonzero
    // consumes it. The base runs the dialog's keyboard navigation.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // The framework dialog behind a window handle, or null.
    static CDialog* FromHandle(HWND hwnd);

    static const fw::MsgMap* GetThisMessageMap();

protected:
    virtual BOOL OnInitDialog();  // shows the members in the controls; TRUE: default focus
    virtual void OnOK();          // reads and validates; ends with IDOK only if that succeeded
    virtual void OnCancel();      // ends with IDCANCEL
    virtual void DoDataExchange(CDataExchange& dx);
    virtual void OnDestroy() {}  // the window is about to go; its controls still exist
    virtual const fw::MsgMap* GetMessageMap() const { return GetThisMessageMap(); }

    // A message handler that wants the default dialog processing after all calls this.
    void SetMsgHandled(bool handled) { m_msgHandled = handled; }

    UINT m_templateId;
    CWnd* m_owner;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    HWND ResolveOwner() const;

    bool m_running = false;
    bool m_msgHandled = false;
    INT_PTR m_result = -1;
};
