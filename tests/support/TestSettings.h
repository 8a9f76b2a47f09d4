#pragma once

#include "config/ConnectionSettings.h"

#include <cstdint>

// Settings from the fields of a configuration record, in their order, for
// the tables of cases.
inline ConnectionSettings Settings(std::int32_t bDhcpAddress, std::int32_t bDhcpDns, std::uint32_t dwIp,
                                   std::uint32_t dwMask, std::uint32_t dwGateway, std::uint32_t dwDns1,
                                   std::uint32_t dwDns2, std::uint32_t dwDns3, const MoreAddresses& more = {},
                                   const MoreGateways& moreGateways = {})
{
    const auto at = Ipv4Addr::FromValue;
    return {bDhcpAddress != 0,
            at(dwIp),
            at(dwMask),
            at(dwGateway),
            bDhcpDns != 0,
            {at(dwDns1), at(dwDns2), at(dwDns3)},
            more,
            moreGateways};
}

// A second address and a second gateway, for the lists' cases.
inline const MoreAddresses kFurther = {{Ipv4Addr::Parse("172.16.0.3"), Ipv4Addr::Parse("255.255.0.0")}};
inline const MoreGateways kFurtherGateways = {{Ipv4Addr::Parse("10.0.0.2"), 25}};
