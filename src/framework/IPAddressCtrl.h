#pragma once

#include "config/Ipv4Addr.h"
#include "framework/Wnd.h"

#include <commctrl.h>

#include <cstdint>

// An IP address control. Its value is in control order: the first field in
// the most significant byte.
class CIPAddressCtrl : public CWnd {
public:
    // The number of fields that are not blank; blank fields read as 0.
    int GetAddress(std::uint32_t& dwAddress) const
    {
        DWORD value = 0;
        const LRESULT filled = SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&value));
        dwAddress = value;
        return static_cast<int>(filled);
    }
    void SetAddress(std::uint32_t dwAddress) { SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(dwAddress)); }
    // The same as a value; an empty field reads as none.
    Ipv4Addr GetIpv4Addr() const
    {
        std::uint32_t dwAddress = 0;
        GetAddress(dwAddress);
        return Ipv4Addr::FromControlOrder(dwAddress);
    }
    void SetIpv4Addr(Ipv4Addr address) { SetAddress(address.ControlOrder()); }
    void ClearAddress() { SendMessage(IPM_CLEARADDRESS); }
    bool IsBlank() const { return SendMessage(IPM_ISBLANK) != 0; }
    // Four zero octets mean no address, which shows as an empty field.
    void ClearWhenNone()
    {
        if (GetIpv4Addr().IsNone())
            ClearAddress();
    }
    // Focus to field nField (0 to 3), its text selected.
    void SetFieldFocus(WORD nField) { SendMessage(IPM_SETFOCUS, nField); }
};
