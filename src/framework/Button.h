// CButton: a view of a push button or check box (its check state goes through DDX_Check).
#pragma once

#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    using CWnd::CWnd;
};
