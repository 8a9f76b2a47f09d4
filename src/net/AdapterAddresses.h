#pragma once

#include "platform/AdapterList.h"

#include <cstdint>
#include <optional>
#include <vector>

// The adapters and their addresses, read again and again with one buffer
// that grows to what the list needs: cheap enough to read every few seconds.
class CAdapterAddresses {
public:
    explicit CAdapterAddresses(IAdapterList& adapters) : m_adapters(adapters) {}

    // None when the list cannot be read now; an empty list when there are no
    // adapters.
    std::optional<std::vector<AdapterEntry>> Read();

private:
    IAdapterList& m_adapters;
    std::vector<std::uint8_t> m_buffer;
};
