#pragma once

#include "framework/Wnd.h"

#include <string>

// A list box control of a dialog, bound by data exchange.
class CListBox : public CWnd {
public:
    int GetCount() const { return Int(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return Int(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return Int(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
    int AddString(const char* pszString) { return Int(SendMessage(LB_ADDSTRING, 0, Text(pszString))); }
    int InsertString(int nIndex, const char* pszString)
    {
        return Int(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), Text(pszString)));
    }
    int DeleteString(int nIndex) { return Int(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(nIndex))); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    // Entry nIndex in full; empty when there is no such entry.
    std::string GetText(int nIndex) const
    {
        const LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex));
        if (length < 0)
            return {};
        std::string text(static_cast<std::size_t>(length), '\0');
        const LRESULT copied =
            SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
        return text;
    }

private:
    static int Int(LRESULT result) { return static_cast<int>(result); }
    static LPARAM Text(const char* psz) { return reinterpret_cast<LPARAM>(psz); }
};
