#pragma once

#include "config/Ipv4Addr.h"
#include "platform/AdapterList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// An adapter with its addresses as values: the platform below knows no
// Ipv4Addr and gives them as dotted text.
struct AdapterAddressList {
    std::string name;
    bool dhcpEnabled = false;
    std::vector<Ipv4Addr> addresses;

    friend bool operator==(const AdapterAddressList&, const AdapterAddressList&) = default;
};

// The one reader of the system's adapter list: one buffer, kept between
// reads, that grows to what the list needs, so reading every few seconds is
// cheap.
class CAdapterAddresses {
public:
    static constexpr std::uint32_t kNoData = 232; // ERROR_NO_DATA: no adapters at all

    explicit CAdapterAddresses(IAdapterList& adapters) : m_adapters(adapters) {}

    struct Reading {
        std::uint32_t result = IAdapterList::kSuccess;
        std::vector<AdapterEntry> adapters; // when the result is kSuccess
    };
    // The list as the system gives it. bFillAgain fills once more after a
    // first fill that did not overflow, and the second fill's result counts.
    Reading ReadAll(bool bFillAgain);

    // None when the list cannot be read now; an empty list when there are no
    // adapters.
    std::optional<std::vector<AdapterAddressList>> Read();

private:
    IAdapterList& m_adapters;
    std::vector<std::uint8_t> m_buffer;
};
