#pragma once

#include "config/ConnectionSettings.h"

#include <cstdint>

// Settings from the fields of a configuration record, in their order, for
// the tables of cases.
inline ConnectionSettings Settings(std::int32_t bDhcpAddress, std::int32_t bDhcpDns, std::uint32_t dwIp,
                                   std::uint32_t dwMask, std::uint32_t dwGateway, std::uint32_t dwDns1,
                                   std::uint32_t dwDns2, std::uint32_t dwDns3)
{
    CONFIGURATION record{};
    record.bDhcpAddress = bDhcpAddress;
    record.bDhcpDns = bDhcpDns;
    record.dwIpAddress = dwIp;
    record.dwSubnetMask = dwMask;
    record.dwGateway = dwGateway;
    record.dwDns1 = dwDns1;
    record.dwDns2 = dwDns2;
    record.dwDns3 = dwDns3;
    return SettingsOf(record);
}
