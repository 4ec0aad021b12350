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
    // The way the dialogs rewrite a field: select all, scroll the caret into view, replace.
    void ReplaceAll(std::wstring_view text) const {
        SetSel(0, -1);
        ScrollCaret();
        ReplaceSel(text);
    }
};
