// CNetworkInfo over the real adapter list and the prefix's real registry.
#include "RegistryKeys.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeProcessRunner.h"
#include "framework/ThreadMessagePump.h"
#include "net/NetworkInfo.h"
#include "platform/win32/Win32AdapterList.h"
#include "platform/win32/Win32Registry.h"
#include "support/NetworkTestValues.h"

#include <gtest/gtest.h>

#include <array>

namespace {

struct Win32Network : ::testing::Test {
    CWin32AdapterList adapterList;
    CWin32Registry registry;
    CFakeProcessRunner runner;
    CThreadMessagePump pump;
    CFakeClock clock;
    NetworkPlatform platform{adapterList, registry, runner, pump, clock};
    CRegistryKeys keys;
    std::vector<AdapterEntry> adapters;

    void SetUp() override
    {
        CNetworkInfo probe(platform);
        std::uint32_t size = 0;
        std::vector<std::uint8_t> buffer(1);
        if (adapterList.Fill(buffer.data(), size) == IAdapterList::kBufferOverflow) {
            buffer.resize(size);
            if (adapterList.Fill(buffer.data(), size) == IAdapterList::kSuccess)
                adapters = adapterList.Entries(buffer.data());
        }
        if (adapters.empty())
            GTEST_SKIP() << "Wine reports no IPv4 adapter on this host";
        ASSERT_EQ(probe.GetAdapterCount(), adapters.size());
    }
};

// A name outside the system's code page comes as it is, in UTF-8.
TEST_F(Win32Network, NamesEachAdapterFromItsConnectionKey)
{
    keys.Create(kConnectionClassKey + "\\{00000000-not-an-adapter}"); // no Connection subkey
    for (std::size_t i = 0; i < adapters.size(); ++i)
        keys.SetString(kConnectionClassKey + "\\" + adapters[i].name + "\\Connection", "Name",
                       i == 0 ? "Сеть 2" : "Connection " + std::to_string(i + 1));

    CNetworkInfo info(platform);
    ASSERT_EQ(info.GetAdapterCount(), adapters.size());
    ASSERT_NE(info.GetConnectionName(0), nullptr);
    EXPECT_STREQ(info.GetConnectionName(0), "Сеть 2");
    for (unsigned i = 1; i < info.GetAdapterCount(); ++i)
        EXPECT_EQ(info.GetConnectionName(i), "Connection " + std::to_string(i + 1));
    EXPECT_FALSE(info.AdaptersUnreadable());
}

TEST_F(Win32Network, ReadsStaticSettingsAsStoredOnWindows)
{
    const std::string key = kInterfacesKey + adapters[0].name;
    keys.SetDword(key, "EnableDHCP", 0);
    keys.SetMultiString(key, "IPAddress", {"192.168.7.10", "192.168.7.11"});
    keys.SetMultiString(key, "SubnetMask", {"255.255.255.0", "255.255.0.0"});
    keys.SetMultiString(key, "DefaultGateway", {"192.168.7.1", "192.168.7.2"});
    keys.SetMultiString(key, "DefaultGatewayMetric", {"1"}); // none for the second: automatic
    keys.SetString(key, "NameServer", "10.1.1.1,10.1.1.2");

    CNetworkInfo info(platform);
    EXPECT_FALSE(info.IsDhcpEnabled(0));
    EXPECT_FALSE(info.IsDnsFromDhcp(0));
    const ConnectionSettings settings = info.GetSettingsInForce(0);
    EXPECT_EQ(settings.ipAddress, At(Ip(192, 168, 7, 10)));
    EXPECT_EQ(settings.subnetMask, At(Ip(255, 255, 255, 0))); // the first string of a multi-string
    EXPECT_EQ(settings.gateway, At(Ip(192, 168, 7, 1)));
    EXPECT_EQ(settings.moreAddresses, (MoreAddresses{{At(Ip(192, 168, 7, 11)), At(Ip(255, 255, 0, 0))}}));
    EXPECT_EQ(settings.moreGateways, (MoreGateways{{At(Ip(192, 168, 7, 2)), 0}})); // in force, as Windows keeps it
    EXPECT_EQ(settings.dns, (std::array<Ipv4Addr, 3>{At(Ip(10, 1, 1, 1)), At(Ip(10, 1, 1, 2)), {}}));
}

TEST_F(Win32Network, FallsBackToTheLeaseWhenTheStaticTextIsEmpty)
{
    ASSERT_TRUE(adapters[0].dhcpEnabled); // Wine reports every adapter so
    const std::string key = kInterfacesKey + adapters[0].name;
    keys.SetDword(key, "EnableDHCP", 1);
    keys.SetMultiString(key, "IPAddress", {""});
    keys.SetString(key, "DhcpIPAddress", "10.9.8.7");
    keys.SetMultiString(key, "SubnetMask", {"0.0.0.0"});
    keys.SetString(key, "DhcpSubnetMask", "255.0.0.0");
    keys.SetString(key, "NameServer", "");
    keys.SetString(key, "DhcpNameServer", "10.0.0.53 10.0.0.54");

    CNetworkInfo info(platform);
    EXPECT_TRUE(info.IsDhcpEnabled(0));
    EXPECT_TRUE(info.IsDnsFromDhcp(0));
    // Where the registry says static since the start, the list's flag lets the lease stand in.
    keys.SetDword(key, "EnableDHCP", 0);
    const ConnectionSettings settings = info.GetSettings(0);
    EXPECT_EQ(settings.ipAddress, At(Ip(10, 9, 8, 7)));
    EXPECT_TRUE(settings.subnetMask.IsNone()); // 0.0.0.0 is not empty
    EXPECT_TRUE(settings.gateway.IsNone());
    EXPECT_EQ(settings.dns, (std::array<Ipv4Addr, 3>{At(Ip(10, 0, 0, 53)), At(Ip(10, 0, 0, 54)), {}}));
}

} // namespace
