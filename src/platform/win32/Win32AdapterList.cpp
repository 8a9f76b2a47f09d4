#include "platform/win32/Win32AdapterList.h"

#include <windows.h>

#include <iphlpapi.h>

#include <cstring>
#include <type_traits>

CWin32AdapterList::CWin32AdapterList() : m_getAdaptersInfo(m_iphlpapi.Find<GetAdaptersInfoFunction>("GetAdaptersInfo"))
{
    static_assert(std::is_same_v<GetAdaptersInfoFunction, decltype(::GetAdaptersInfo)>);
}

std::uint32_t CWin32AdapterList::Fill(void* pBuffer, std::uint32_t& size)
{
    // Reported as GetAdaptersInfo itself would report a failure.
    if (!m_getAdaptersInfo)
        return ERROR_PROC_NOT_FOUND;
    ULONG cb = size;
    const DWORD result = m_getAdaptersInfo(static_cast<IP_ADAPTER_INFO*>(pBuffer), &cb);
    size = cb;
    return result;
}

std::vector<AdapterEntry> CWin32AdapterList::Entries(const void* pBuffer)
{
    std::vector<AdapterEntry> entries;
    for (auto* p = static_cast<const IP_ADAPTER_INFO*>(pBuffer); p; p = p->Next) {
        const std::size_t length = strnlen(p->AdapterName, sizeof p->AdapterName);
        AdapterEntry& entry =
            entries.emplace_back(AdapterEntry{std::string(p->AdapterName, length), p->DhcpEnabled != 0, {}});
        for (const IP_ADDR_STRING* pAddress = &p->IpAddressList; pAddress; pAddress = pAddress->Next) {
            const char* pszText = pAddress->IpAddress.String;
            const std::string address(pszText, strnlen(pszText, sizeof pAddress->IpAddress.String));
            if (!address.empty() && address != "0.0.0.0")
                entry.addresses.push_back(address);
        }
    }
    return entries;
}
