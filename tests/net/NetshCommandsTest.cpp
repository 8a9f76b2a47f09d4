#include "net/NetshCommands.h"
#include "support/NetworkTestValues.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Address values built by hand: the first dotted number in the low byte.
using Commands = std::vector<std::string>;

TEST(BuildAddressCommand, WritesTheStaticOrTheDhcpCommand)
{
    const struct {
        const char* name;
        std::uint32_t address, mask, gateway;
        const char* command;
    } cases[] = {
        {"Local Area Connection", Ip(192, 168, 0, 10), Ip(255, 255, 255, 0), Ip(192, 168, 0, 1),
         "interface ip set address name=\"Local Area Connection\" source=static addr=192.168.0.10 "
         "mask=255.255.255.0 gateway=192.168.0.1 gwmetric=1"},
        {"Ethernet", Ip(10, 1, 2, 3), Ip(255, 0, 0, 0), 0,
         "interface ip set address name=\"Ethernet\" source=static addr=10.1.2.3 mask=255.0.0.0 "
         "gateway=0.0.0.0 gwmetric=1"},
        {"Ethernet", Ip(10, 1, 2, 3), 0, 0,
         "interface ip set address name=\"Ethernet\" source=static addr=10.1.2.3 mask=0.0.0.0 "
         "gateway=0.0.0.0 gwmetric=1"},
        // Mask and gateway are ignored once the address asks for DHCP.
        {"Wi-Fi 2", 0, Ip(255, 255, 255, 0), Ip(192, 168, 0, 1),
         "interface ip set address name=\"Wi-Fi 2\" source=dhcp"},
        {"Wi-Fi 2", 0, 0, 0, "interface ip set address name=\"Wi-Fi 2\" source=dhcp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(BuildAddressCommand(c.name, At(c.address), At(c.mask), At(c.gateway)), c.command);
    }
}

TEST(BuildDnsCommands, SendsNoServerAfterAnEmptySlot)
{
    constexpr std::uint32_t x = Ip(10, 0, 0, 1), y = Ip(172, 16, 0, 2), z = Ip(192, 168, 100, 3);
    const std::string dhcp = "interface ip set dns name=\"LAN 1\" source=dhcp register=PRIMARY";
    const std::string first = "interface ip set dns name=\"LAN 1\" source=static addr=10.0.0.1 register=PRIMARY";
    const std::string second = "interface ip add dns name=\"LAN 1\" addr=172.16.0.2 index=2";
    const std::string third = "interface ip add dns name=\"LAN 1\" addr=192.168.100.3 index=3";
    const struct {
        const char* what;
        std::uint32_t d1, d2, d3;
        Commands commands;
    } cases[] = {
        {"0,0,0", 0, 0, 0, {dhcp}},
        {"0,x,y", 0, x, y, {dhcp}},
        {"0,0,y", 0, 0, y, {dhcp}},
        {"x,0,0", x, 0, 0, {first}},
        {"x,0,y", x, 0, z, {first}},
        {"x,y,0", x, y, 0, {first, second}},
        {"x,y,z", x, y, z, {first, second, third}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(BuildDnsCommands("LAN 1", At(c.d1), At(c.d2), At(c.d3)), c.commands);
    }
}

TEST(IsSafeConnectionName, RefusesWhatCouldEndTheQuotesOrTheLine)
{
    const struct {
        std::string name;
        bool safe;
    } cases[] = {
        {"Local Area Connection", true},
        {"LAN-Verbindung (\xFC"
         "ber USB) #2 ~",
         true},
        {"say \"hi\"", false},
        {"\"", false},
        {"tab\there", false},
        {"line\nbreak", false},
        {"carriage\r", false},
        {std::string("nul\0x", 5), false},
        {"\x1F", false},
        {"del\x7F", false},
        {"", false},
        {"ends in \\", false},
        {"back\\slash inside", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.name));
        EXPECT_EQ(IsSafeConnectionName(c.name), c.safe);
    }
}

} // namespace
