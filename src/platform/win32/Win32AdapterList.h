#pragma once

#include "platform/AdapterList.h"
#include "platform/win32/SystemLibrary.h"

struct _IP_ADAPTER_INFO;

// GetAdaptersInfo and its chain of IP_ADAPTER_INFO records.
class CWin32AdapterList final : public IAdapterList {
public:
    CWin32AdapterList();

    std::uint32_t Fill(void* pBuffer, std::uint32_t& size) override;
    std::vector<AdapterEntry> Entries(const void* pBuffer) override;

private:
    using GetAdaptersInfoFunction = DWORD WINAPI(_IP_ADAPTER_INFO*, ULONG*);

    // Loaded at run time: IPHLPAPI.DLL is not a KnownDLL.
    CSystemLibrary m_iphlpapi{"iphlpapi.dll"};
    GetAdaptersInfoFunction* m_getAdaptersInfo = nullptr;
};
