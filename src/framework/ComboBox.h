// CComboBox: a view of a combo box.
#pragma once

#include "framework/Wnd.h"

class CComboBox : public CWnd {
public:
    using CWnd::CWnd;

    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    // An index outside the list clears the selection and the edit text (Wine keeps the old
    // selection for an index past the end, so it is asked for "none" explicitly).
    int SetCurSel(int index) const {
        if (index < 0 || index >= GetCount())
            index = -1;
        return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
    }
    // The caret and selection in the edit part, as CB_GETEDITSEL packs them.
    DWORD GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
    void SetEditSel(DWORD selection) const {
        SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(LOWORD(selection), HIWORD(selection)));
    }
    int AddString(std::wstring_view text) const {
        const std::wstring copy(text);
        return static_cast<int>(
            SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(copy.c_str())));
    }
};
