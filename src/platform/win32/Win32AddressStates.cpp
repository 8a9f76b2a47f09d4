#include "platform/win32/Win32AddressStates.h"

#include "platform/win32/WideText.h"

#include <objbase.h>

#include <memory>

CWin32AddressStates::CWin32AddressStates()
    : m_getTable(m_iphlpapi.Find<decltype(::GetUnicastIpAddressTable)>("GetUnicastIpAddressTable")),
      m_freeTable(m_iphlpapi.Find<decltype(::FreeMibTable)>("FreeMibTable")),
      m_guidToLuid(m_iphlpapi.Find<decltype(::ConvertInterfaceGuidToLuid)>("ConvertInterfaceGuidToLuid"))
{
}

AddressState CWin32AddressStates::StateOf(const std::string& adapter, std::uint32_t address)
{
    GUID guid{};
    NET_LUID luid{};
    std::wstring text = Wide(adapter);
    MIB_UNICASTIPADDRESS_TABLE* pTable = nullptr;
    // The adapter is matched by its LUID: interface indexes change when an
    // adapter is turned off and on.
    if (!m_getTable || !m_freeTable || !m_guidToLuid || FAILED(::CLSIDFromString(text.data(), &guid)) ||
        m_guidToLuid(&guid, &luid) != NO_ERROR || m_getTable(AF_INET, &pTable) != NO_ERROR)
        return AddressState::Absent;
    const auto free = m_freeTable;
    const std::unique_ptr<MIB_UNICASTIPADDRESS_TABLE, decltype(free)> table(pTable, free);
    for (ULONG k = 0; k < table->NumEntries; ++k) {
        const MIB_UNICASTIPADDRESS_ROW& row = table->Table[k];
        if (row.InterfaceLuid.Value != luid.Value || row.Address.Ipv4.sin_addr.s_addr != address)
            continue;
        switch (row.DadState) {
        case IpDadStateTentative:
            return AddressState::Tentative;
        case IpDadStateDuplicate:
            return AddressState::Duplicate;
        default:
            return AddressState::Usable;
        }
    }
    return AddressState::Absent;
}
