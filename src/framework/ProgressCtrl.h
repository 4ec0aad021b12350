// CProgressCtrl: a view of a progress bar.
#pragma once

#include <commctrl.h>

#include "framework/Wnd.h"

class CProgressCtrl : public CWnd {
public:
    using CWnd::CWnd;

    // The range as a 16-bit pair, 0..maximum.
    void SetRange16(int maximum) const {
        SendMessage(PBM_SETRANGE, 0, static_cast<LPARAM>((maximum & 0xFFFF) << 16));
    }
    int SetPos(int position) const {
        return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(position)));
    }
};
