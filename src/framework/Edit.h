// CEdit: a view of an edit control.
#pragma once

#include "framework/Wnd.h"

class CEdit : public CWnd {
public:
    using CWnd::CWnd;

    void SetSel(int start, int end) const {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    }
    void ScrollCaret() const { SendMessage(EM_SCROLLCARET); }
    // Replaces the selection (at the caret when nothing is selected); cannot be undone.
    void ReplaceSel(std::wstring_view text) const {
        const std::wstring copy(text);
        SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(copy.c_str()));
    }
    // Selects the whole text and scrolls the caret into view.
    void SelectAll() const {
        SetSel(0, -1);
        ScrollCaret();
    }
    // The way the dialogs rewrite a field: select all, scroll the caret into view, replace.
    void ReplaceAll(std::wstring_view text) const {
        SelectAll();
        ReplaceSel(text);
    }
    // Adds text after the last character and scrolls it into view. The text before it is left
    // alone, so the cost hardly grows with a long text, and the view stays on the newest part.
    void AppendText(std::wstring_view text) const {
        const int end = ::GetWindowTextLengthW(m_hWnd);
        SetSel(end, end);
        ReplaceSel(text);
        ScrollCaret();
    }
    // 0: as much as the control can hold. Without it the user and ReplaceSel stop at 32,767
    // characters (30,000 under Wine); a whole text set at once is not limited.
    void SetLimitText(UINT maximum) const { SendMessage(EM_SETLIMITTEXT, maximum); }
    // Whether the text changed since SetModify(FALSE), by the user or by ReplaceSel.
    BOOL GetModify() const { return SendMessage(EM_GETMODIFY) != 0; }
    void SetModify(BOOL modified) const { SendMessage(EM_SETMODIFY, modified); }
};
