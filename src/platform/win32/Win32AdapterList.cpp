#include "platform/win32/Win32AdapterList.h"

#include <windows.h>

#include <iphlpapi.h>

#include <cstring>

std::uint32_t CWin32AdapterList::Fill(void* pBuffer, std::uint32_t& size)
{
    ULONG cb = size;
    const DWORD result = ::GetAdaptersInfo(static_cast<IP_ADAPTER_INFO*>(pBuffer), &cb);
    size = cb;
    return result;
}

std::vector<AdapterEntry> CWin32AdapterList::Entries(const void* pBuffer)
{
    std::vector<AdapterEntry> entries;
    for (auto* p = static_cast<const IP_ADAPTER_INFO*>(pBuffer); p; p = p->Next) {
        const std::size_t length = strnlen(p->AdapterName, sizeof p->AdapterName);
        entries.push_back({std::string(p->AdapterName, length), p->DhcpEnabled != 0});
    }
    return entries;
}
