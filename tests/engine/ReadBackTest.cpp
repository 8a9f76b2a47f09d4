#include "engine/ReadBack.h"
#include "support/NetworkTestValues.h"
#include "support/TestSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

constexpr std::uint32_t kIp = Ip(10, 1, 0, 20), kMask = Ip(255, 255, 0, 0), kGateway = Ip(10, 1, 0, 1);
constexpr std::uint32_t kDns1 = Ip(10, 1, 0, 53), kDns2 = Ip(10, 1, 0, 54);

TEST(ReadBack, JudgesWhatTheCommandsForTheAskedSettingsLeaveInForce)
{
    const ConnectionSettings lab = Settings(0, 0, kIp, kMask, kGateway, kDns1, kDns2, 0);
    const struct {
        const char* what;
        ConnectionSettings asked, now;
        Lines lines;
    } cases[] = {
        {"as asked", lab, lab, {}},
        {"a lease is not waited for", Settings(1, 1, kIp, 0, 0, 0, 0, 0), Settings(1, 1, 0, 0, 0, 0, 0, 0), {}},
        {"an address of 0.0.0.0 is sent as DHCP",
         Settings(0, 1, 0, kMask, 0, 0, 0, 0),
         Settings(1, 1, 0, 0, 0, 0, 0, 0),
         {}},
        {"a server after an empty slot is never sent",
         Settings(1, 0, 0, 0, 0, kDns1, 0, kDns2),
         Settings(1, 0, 0, 0, 0, kDns1, 0, 0),
         {}},
        {"DHCP DNS beside a static address reads as no servers",
         Settings(0, 1, kIp, kMask, 0, 0, 0, 0),
         Settings(0, 0, kIp, kMask, 0, 0, 0, 0),
         {}},
        {"the old address",
         lab,
         Settings(1, 1, 0, 0, 0, 0, 0, 0),
         {"IP address: asked 10.1.0.20, has DHCP", "DNS servers: asked 10.1.0.53, 10.1.0.54, has DHCP"}},
        {"a gateway that is left, a mask that is not",
         Settings(0, 1, kIp, kMask, 0, 0, 0, 0),
         Settings(0, 0, kIp, Ip(255, 0, 0, 0), kGateway, 0, 0, 0),
         {"Subnet mask: asked 255.255.0.0, has 255.0.0.0", "Default gateway: asked none, has 10.1.0.1"}},
        {"DHCP asked, a static address kept",
         Settings(1, 1, 0, 0, 0, 0, 0, 0),
         lab,
         {"IP address: asked DHCP, has 10.1.0.20", "DNS servers: asked DHCP, has 10.1.0.53, 10.1.0.54"}},
        {"further ones added or changed",
         Settings(0, 0, kIp, kMask, kGateway, kDns1, kDns2, 0, kFurther, kFurtherGateways),
         Settings(0, 0, kIp, kMask, kGateway, kDns1, kDns2, 0, {{kFurther[0].address, At(Ip(255, 0, 0, 0))}},
                  {{kFurtherGateways[0].gateway, 0}, {At(kGateway), 25}}),
         {"Subnet mask 2: asked 255.255.0.0, has 255.0.0.0", "Gateway metric 2: asked 25, has 0",
          "Default gateway 3: asked none, has 10.1.0.1"}},
        {"servers in another order",
         lab,
         Settings(0, 0, kIp, kMask, kGateway, kDns2, kDns1, 0),
         {"DNS servers: asked 10.1.0.53, 10.1.0.54, has 10.1.0.54, 10.1.0.53"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(WhatDidNotTake(c.asked, c.now), c.lines);
        const bool bAddressLine = !c.lines.empty() && c.lines[0].rfind("DNS", 0) != 0;
        EXPECT_EQ(AddressTook(c.asked, c.now), !bAddressLine);
    }
}

} // namespace
