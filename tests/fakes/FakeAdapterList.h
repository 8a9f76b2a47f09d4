#pragma once

#include "platform/AdapterList.h"

#include <functional>

// Lays the adapters out in the caller's buffer as fixed records of 640
// bytes, so that sizing the buffer matters as it does with the system's list.
class CFakeAdapterList final : public IAdapterList {
public:
    static constexpr std::uint32_t kRecordSize = 640;
    static constexpr std::uint32_t kNoData = 232;

    std::vector<AdapterEntry> adapters;
    std::uint32_t failure = kSuccess;     // returned by every Fill when set
    std::vector<std::uint32_t> sizesSeen; // the size passed to each Fill
    // Runs after each Fill, with its number from 1: lets a test change the list.
    std::function<void(std::size_t call)> afterFill;

    std::uint32_t Fill(void* pBuffer, std::uint32_t& size) override;
    std::vector<AdapterEntry> Entries(const void* pBuffer) override;
};
