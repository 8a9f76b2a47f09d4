#pragma once

#include "framework/Wnd.h"

#include <string>

// A list box control of a dialog, bound by data exchange.
class CListBox : public CWnd {
public:
    int GetCount() const { return Int(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return Int(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return Int(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
    int AddString(const char* pszString) { return Int(SendText(LB_ADDSTRING, 0, pszString)); }
    int InsertString(int nIndex, const char* pszString)
    {
        return Int(SendText(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), pszString));
    }
    int DeleteString(int nIndex) { return Int(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(nIndex))); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    // Tab stops every cxEachStop dialog units; the list needs LBS_USETABSTOPS.
    BOOL SetTabStops(const int& cxEachStop)
    {
        return static_cast<BOOL>(SendMessage(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&cxEachStop)));
    }
    // Entry nIndex in full; empty when there is no such entry.
    std::string GetText(int nIndex) const { return ItemText(LB_GETTEXTLEN, LB_GETTEXT, nIndex); }
};
