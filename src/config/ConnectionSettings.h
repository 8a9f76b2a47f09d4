#pragma once

#include "config/Configuration.h"
#include "config/Ipv4Addr.h"

#include <array>

// The TCP/IP settings of one connection: what the main dialog's fields show,
// what is applied, what a connection has now and what a configuration holds.
// Addresses are kept whatever the modes say; the comparison decides which
// of them matter.
struct ConnectionSettings {
    bool bDhcpAddress = true;
    Ipv4Addr ipAddress;
    Ipv4Addr subnetMask;
    Ipv4Addr gateway; // none: no default gateway
    bool bDhcpDns = true;
    std::array<Ipv4Addr, 3> dns{}; // none: an empty slot
    // The addresses and gateways after the first, applied after it.
    MoreAddresses moreAddresses;
    MoreGateways moreGateways;

    // Identical as saved configurations are compared: both by DHCP alone;
    // both with a DHCP address and the same DNS servers; or every field
    // equal, the further addresses and gateways in their order. So a static address with DHCP DNS still compares its
    // servers.
    friend bool operator==(const ConnectionSettings& a, const ConnectionSettings& b);
};

ConnectionSettings SettingsOf(const CONFIGURATION& config);
void StoreSettings(CONFIGURATION& config, const ConnectionSettings& settings);
