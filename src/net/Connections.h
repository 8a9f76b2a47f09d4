#pragma once

#include <cstdint>

// The connections present, by index, and applying settings to one of them.
// Zeros ask for DHCP; both setters return whether their commands were run.
class IConnections {
public:
    virtual ~IConnections() = default;
    virtual unsigned GetAdapterCount() const = 0;
    // nullptr when the adapter has no connection name.
    virtual const char* GetConnectionName(unsigned i) const = 0;
    virtual bool SetAddress(unsigned i, std::uint32_t dwAddress, std::uint32_t dwMask, std::uint32_t dwGateway) = 0;
    virtual bool SetDns(unsigned i, std::uint32_t dwDns1, std::uint32_t dwDns2, std::uint32_t dwDns3) = 0;
};
