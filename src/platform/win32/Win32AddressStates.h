#pragma once

#include "platform/AddressStates.h"
#include "platform/win32/SystemLibrary.h"

#include <winsock2.h>
#include <ws2ipdef.h>

#include <iphlpapi.h>
#include <netioapi.h>

// Reads the unicast address table of IP Helper, taken from the system folder.
class CWin32AddressStates final : public IAddressStates {
public:
    CWin32AddressStates();
    AddressState StateOf(const std::string& adapter, std::uint32_t address) override;

private:
    CSystemLibrary m_iphlpapi{"iphlpapi.dll"};
    decltype(::GetUnicastIpAddressTable)* m_getTable;
    decltype(::FreeMibTable)* m_freeTable;
    decltype(::ConvertInterfaceGuidToLuid)* m_guidToLuid;
};
