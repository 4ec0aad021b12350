// CButton: a view of a push button or check box.
#pragma once

#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    using CWnd::CWnd;

    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
};
