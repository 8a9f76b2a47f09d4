#pragma once

#include "platform/Registry.h"

#include <cstdint>
#include <string>

// What Windows' netsh does to a connection's TCP/IP values in the registry
// for the commands Tolvi sends, so that the stand-ins of netsh in the tests
// leave settings that Tolvi's read-back can judge.

// The writes netsh makes; IRegistryKey has no call for them, as the program
// never makes them itself.
class INetshRegistryWriter {
public:
    virtual ~INetshRegistryWriter() = default;
    virtual void SetDword(const std::string& key, const char* pszValue, std::uint32_t dwValue) = 0;
    virtual void SetString(const std::string& key, const char* pszValue, const std::string& text) = 0;
    // The strings of a multi-string value, each after the first following a
    // NUL; empty: no string at all.
    virtual void SetMultiString(const std::string& key, const char* pszValue, const std::string& text) = 0;
};

struct NetshAnswer {
    std::uint32_t exitCode = 0;
    std::string output; // lines ending in CR LF, as netsh prints them
};

// Runs the command (the text after netsh's own path). Static addresses set
// EnableDHCP 0, IPAddress, SubnetMask, DefaultGateway with its metric; DHCP
// sets EnableDHCP 1 or answers "DHCP is already enabled on this interface."
// with exit code 1; an added address or gateway comes after those there;
// DNS commands rewrite NameServer. A connection name that no connection has
// fails as netsh does. A command holding `refuse` (when not
// empty) is refused: exit code 1, a line of output, nothing changed.
NetshAnswer EmulateNetsh(const std::string& command, IRegistry& registry, INetshRegistryWriter& writer,
                         const std::string& refuse = {});
