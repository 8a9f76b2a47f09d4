#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

// A progress bar control of a dialog, bound by data exchange.
class CProgressCtrl : public CWnd {
public:
    // Each bound is cut to its low 16 bits, as the control takes them.
    void SetRange(int nLower, int nUpper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
    void GetRange(int& nLower, int& nUpper) const
    {
        PBRANGE range{};
        SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
        nLower = range.iLow;
        nUpper = range.iHigh;
    }
    int SetPos(int nPos) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(nPos))); }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
};
