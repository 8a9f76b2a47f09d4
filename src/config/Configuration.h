#pragma once

#include "config/BoundedList.h"
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

// A connection holds one to five addresses and up to five default gateways,
// as Windows' advanced TCP/IP settings do. The first of each is kept in its
// own field (the main dialog's); the lists hold the further ones.
constexpr std::size_t kMaxAddresses = 5;
constexpr std::size_t kMaxGateways = 5;
// The first gateway always gets this metric.
constexpr std::uint32_t kFirstGatewayMetric = 1;
// The range Windows accepts for a gateway's metric.
constexpr std::uint32_t kMinGatewayMetric = 1;
constexpr std::uint32_t kMaxGatewayMetric = 9999;

struct AddressMask {
    Ipv4Addr address;
    Ipv4Addr mask;
    friend constexpr bool operator==(const AddressMask&, const AddressMask&) = default;
};

struct GatewayMetric {
    Ipv4Addr gateway;
    std::uint32_t metric = kFirstGatewayMetric;
    friend constexpr bool operator==(const GatewayMetric&, const GatewayMetric&) = default;
};

using MoreAddresses = BoundedList<AddressMask, kMaxAddresses - 1>;
using MoreGateways = BoundedList<GatewayMetric, kMaxGateways - 1>;

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
    // Only with a static address; further gateways only after a first one.
    MoreAddresses moreAddresses;
    MoreGateways moreGateways;
};

struct PREFERENCES {
    char szDefaultConnection[kDefaultConnectionSize];
    std::uint32_t dwTestAddress; // control order
    std::uint32_t nDhcpWait;     // milliseconds
    std::int32_t bExitAfterApply;
    std::int32_t bExitAfterAuto;
};
