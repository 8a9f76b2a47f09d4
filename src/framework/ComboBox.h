#pragma once

#include "framework/Wnd.h"

#include <string>

// A combo box control of a dialog, bound by data exchange.
class CComboBox : public CWnd {
public:
    int GetCount() const { return Int(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return Int(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return Int(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
    int AddString(const char* pszString) { return Int(SendText(CB_ADDSTRING, 0, pszString)); }
    int InsertString(int nIndex, const char* pszString)
    {
        return Int(SendText(CB_INSERTSTRING, static_cast<WPARAM>(nIndex), pszString));
    }
    int DeleteString(int nIndex) { return Int(SendMessage(CB_DELETESTRING, static_cast<WPARAM>(nIndex))); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    // The exact entry, from the start; CB_ERR when there is none.
    int FindStringExact(int nIndexStart, const char* pszString) const
    {
        return Int(SendText(CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), pszString));
    }
    // Entry nIndex in full; empty when there is no such entry.
    std::string GetLBText(int nIndex) const { return ItemText(CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex); }
    // Most characters the edit field takes; 0 lifts the limit.
    void LimitText(int nMaxChars) { SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars)); }
};
