#pragma once

#include "framework/Wnd.h"

#include <string>

// A combo box control of a dialog, bound by data exchange.
class CComboBox : public CWnd {
public:
    int GetCount() const { return Int(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return Int(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return Int(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
    int AddString(const char* pszString) { return Int(SendMessage(CB_ADDSTRING, 0, Text(pszString))); }
    int InsertString(int nIndex, const char* pszString)
    {
        return Int(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(nIndex), Text(pszString)));
    }
    int DeleteString(int nIndex) { return Int(SendMessage(CB_DELETESTRING, static_cast<WPARAM>(nIndex))); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    // The exact entry, from the start; CB_ERR when there is none.
    int FindStringExact(int nIndexStart, const char* pszString) const
    {
        return Int(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), Text(pszString)));
    }
    // Entry nIndex in full; empty when there is no such entry.
    std::string GetLBText(int nIndex) const
    {
        const LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex));
        if (length < 0)
            return {};
        std::string text(static_cast<std::size_t>(length), '\0');
        const LRESULT copied =
            SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
        return text;
    }
    // Most characters the edit field takes; 0 lifts the limit.
    void LimitText(int nMaxChars) { SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars)); }

private:
    static int Int(LRESULT result) { return static_cast<int>(result); }
    static LPARAM Text(const char* psz) { return reinterpret_cast<LPARAM>(psz); }
};
