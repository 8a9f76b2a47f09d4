#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct AdapterEntry {
    std::string name; // the identifier the registry uses as a key name
    bool dhcpEnabled = false;
    // Its IPv4 addresses, dotted as the system gives them (the net layer makes
    // them values), without the 0.0.0.0 of an adapter that has none.
    std::vector<std::string> addresses;

    friend bool operator==(const AdapterEntry&, const AdapterEntry&) = default;
};

// The system's list of IPv4 adapters, in its own order.
class IAdapterList {
public:
    static constexpr std::uint32_t kSuccess = 0;
    static constexpr std::uint32_t kBufferOverflow = 111;

    virtual ~IAdapterList() = default;

    // Fills `pBuffer` the way GetAdaptersInfo does: kSuccess, or
    // kBufferOverflow with the size needed written back, or another error.
    virtual std::uint32_t Fill(void* pBuffer, std::uint32_t& size) = 0;

    // The adapters in a buffer that Fill filled successfully.
    virtual std::vector<AdapterEntry> Entries(const void* pBuffer) = 0;
};
