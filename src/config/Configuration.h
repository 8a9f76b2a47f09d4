#pragma once

#include "config/Ipv4Addr.h"

#include <cstddef>
#include <cstdint>

// Field widths are those of the configuration file; names hold one character
// fewer than their field so that a terminator always fits.
constexpr std::size_t kNameSize = 513;
constexpr std::size_t kConnectionSize = 513;
constexpr std::size_t kDefaultConnectionSize = 516;

// The entry of the main dialog's list that makes a new configuration; no
// configuration may take its name.
constexpr char kNewConfigurationName[] = "< New Configuration >";

constexpr std::uint32_t kDefaultDhcpWait = 7000;
// Longer than any one lease takes on a working network.
constexpr std::uint32_t kMaximumDhcpWait = 60000;
// Control order (first dotted number in the most significant byte): 8.8.8.8.
constexpr std::uint32_t kDefaultTestAddress = 0x08080808;

// One saved configuration; an address of none is stored as 0.
struct CONFIGURATION {
    CONFIGURATION* pPrev;
    CONFIGURATION* pNext;
    char szName[kNameSize];
    char szConnection[kConnectionSize];
    std::int32_t bDhcpAddress;
    std::int32_t bDhcpDns;
    Ipv4Addr ipAddress;
    Ipv4Addr subnetMask;
    Ipv4Addr gateway;
    Ipv4Addr dns1;
    Ipv4Addr dns2;
    Ipv4Addr dns3;
};

struct PREFERENCES {
    char szDefaultConnection[kDefaultConnectionSize];
    std::uint32_t dwTestAddress; // control order
    std::uint32_t nDhcpWait;     // milliseconds
    std::int32_t bExitAfterApply;
    std::int32_t bExitAfterAuto;
};
