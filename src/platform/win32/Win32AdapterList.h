#pragma once

#include "platform/AdapterList.h"

// GetAdaptersInfo and its chain of IP_ADAPTER_INFO records.
class CWin32AdapterList final : public IAdapterList {
public:
    std::uint32_t Fill(void* pBuffer, std::uint32_t& size) override;
    std::vector<AdapterEntry> Entries(const void* pBuffer) override;
};
