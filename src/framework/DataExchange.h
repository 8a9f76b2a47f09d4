#pragma once

#include "config/Ipv4Addr.h"
#include "framework/Wnd.h"

#include <cstdint>
#include <string>

class CDialog;

// One pass of a dialog's data exchange: from the members to the controls,
// or, when saving, from the controls to the members.
class CDataExchange {
public:
    CDataExchange(CDialog& dialog, bool bSaveAndValidate) : m_dialog(dialog), m_bSaveAndValidate(bSaveAndValidate) {}

    CDialog& m_dialog;
    const bool m_bSaveAndValidate;

    HWND Control(int nID) const;
};

// Binds a control wrapper to the dialog's control nID.
void DDX_Control(CDataExchange& dx, int nID, CWnd& control);
// The index of the checked button of the radio group starting at nID (the
// buttons up to the next WS_GROUP); -1 when none is checked.
void DDX_Radio(CDataExchange& dx, int nID, int& value);
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
void DDX_Check(CDataExchange& dx, int nID, int& value);
void DDX_Text(CDataExchange& dx, int nID, std::string& value);
// A fixed field: saving keeps as much of the text as fits with its terminator.
void DDX_Text(CDataExchange& dx, int nID, char* pszField, std::size_t nFieldSize);
template <std::size_t N>
void DDX_Text(CDataExchange& dx, int nID, char (&field)[N])
{
    DDX_Text(dx, nID, field, N);
}
// An IP address control's value, in control order; blank is 0.
void DDX_IPAddress(CDataExchange& dx, int nID, Ipv4Addr& address);
