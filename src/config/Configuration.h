#pragma once

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

// One saved configuration. Addresses are address values: the first dotted
// number in the least significant byte, 0 for none.
struct CONFIGURATION {
    CONFIGURATION* pPrev;
    CONFIGURATION* pNext;
    char szName[kNameSize];
    char szConnection[kConnectionSize];
    std::int32_t bDhcpAddress;
    std::int32_t bDhcpDns;
    std::uint32_t dwIpAddress;
    std::uint32_t dwSubnetMask;
    std::uint32_t dwGateway;
    std::uint32_t dwDns1;
    std::uint32_t dwDns2;
    std::uint32_t dwDns3;
};

struct PREFERENCES {
    char szDefaultConnection[kDefaultConnectionSize];
    std::uint32_t dwTestAddress; // control order
    std::uint32_t nDhcpWait;     // milliseconds
    std::int32_t bExitAfterApply;
    std::int32_t bExitAfterAuto;
};
