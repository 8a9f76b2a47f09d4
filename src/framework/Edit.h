#pragma once

#include "framework/Wnd.h"

// An edit control of a dialog, bound by data exchange.
class CEdit : public CWnd {
public:
    // Most characters the user can type; 0 lifts the limit.
    void LimitText(int nChars) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nChars)); }
    void SetSel(int nStart, int nEnd) { SendMessage(EM_SETSEL, static_cast<WPARAM>(nStart), nEnd); }
};
