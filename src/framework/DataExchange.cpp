#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/IPAddressCtrl.h"

#include <cstring>

HWND CDataExchange::Control(int nID) const
{
    return m_dialog.GetDlgItem(nID);
}

void DDX_Control(CDataExchange& dx, int nID, CWnd& control)
{
    if (!control.m_hWnd)
        control.Attach(dx.Control(nID));
}

void DDX_Radio(CDataExchange& dx, int nID, int& value)
{
    if (dx.m_bSaveAndValidate)
        value = -1;
    int index = 0;
    HWND hButton = dx.Control(nID);
    while (hButton) {
        const LRESULT code = ::SendMessageW(hButton, WM_GETDLGCODE, 0, 0);
        if (code & DLGC_RADIOBUTTON) {
            if (dx.m_bSaveAndValidate) {
                if (::SendMessageW(hButton, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            } else {
                ::SendMessageW(hButton, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        hButton = ::GetWindow(hButton, GW_HWNDNEXT);
        if (hButton && (::GetWindowLongW(hButton, GWL_STYLE) & WS_GROUP))
            break;
    }
}

void DDX_Check(CDataExchange& dx, int nID, int& value)
{
    const HWND hButton = dx.Control(nID);
    if (dx.m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(hButton, BM_GETCHECK, 0, 0));
    else
        ::SendMessageW(hButton, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Text(CDataExchange& dx, int nID, std::string& value)
{
    const HWND hControl = dx.Control(nID);
    if (dx.m_bSaveAndValidate)
        value = CWnd::TextOf(hControl);
    else
        ::SetWindowTextW(hControl, Wide(value).c_str());
}

void DDX_Text(CDataExchange& dx, int nID, char* pszField, std::size_t nFieldSize)
{
    if (nFieldSize == 0)
        return;
    const HWND hControl = dx.Control(nID);
    if (dx.m_bSaveAndValidate) {
        const std::string text = CWnd::TextOf(hControl);
        const std::string_view kept = WholeCharacters(text, nFieldSize - 1);
        const std::size_t n = kept.size();
        std::memcpy(pszField, kept.data(), n);
        std::memset(pszField + n, 0, nFieldSize - n);
    } else {
        ::SetWindowTextW(hControl, Wide(std::string_view(pszField, ::strnlen(pszField, nFieldSize))).c_str());
    }
}

void DDX_IPAddress(CDataExchange& dx, int nID, Ipv4Addr& address)
{
    CIPAddressCtrl control;
    control.Attach(dx.Control(nID));
    if (dx.m_bSaveAndValidate)
        address = control.GetIpv4Addr();
    else if (address.IsNone())
        control.ClearAddress(); // no address shows as empty, not 0.0.0.0
    else
        control.SetIpv4Addr(address);
}
