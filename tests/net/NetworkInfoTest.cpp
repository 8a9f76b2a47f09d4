#include "net/NetworkInfo.h"
#include "support/NetworkTestValues.h"
#include "support/TestSettings.h"

#include "fakes/FakeAdapterList.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeMessagePump.h"
#include "fakes/FakeProcessRunner.h"
#include "fakes/FakeRegistry.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace {

const std::string kA = "{0A000000-1111-4222-8333-000000000001}";
const std::string kB = "{0B000000-1111-4222-8333-000000000002}";
const std::string kC = "{0C000000-1111-4222-8333-000000000003}";
constexpr const char* kNetsh = "C:\\windows\\system32\\netsh.exe";

// Lets a test change the registry while the code under test walks it.
class CHookedRegistry final : public IRegistry {
public:
    explicit CHookedRegistry(IRegistry& inner) : m_inner(inner) {}
    std::function<void(const std::string& path)> beforeOpen;

    std::unique_ptr<IRegistryKey> OpenLocalMachine(const char* pszPath, RegistryAccess access) override
    {
        if (beforeOpen)
            beforeOpen(pszPath);
        return m_inner.OpenLocalMachine(pszPath, access);
    }

private:
    IRegistry& m_inner;
};

std::vector<std::uint8_t> Bytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> Sz(const std::string& text)
{
    auto bytes = Bytes(text);
    bytes.push_back(0);
    return bytes;
}

std::vector<std::uint8_t> Multi(std::initializer_list<std::string> texts)
{
    std::vector<std::uint8_t> bytes;
    for (const std::string& text : texts) {
        const auto sz = Sz(text);
        bytes.insert(bytes.end(), sz.begin(), sz.end());
    }
    bytes.push_back(0);
    return bytes;
}

class NetworkInfoTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        // Readers hold no key between calls and never ask to write.
        EXPECT_EQ(registry.OpenKeys(), 0);
        EXPECT_EQ(registry.WriteOpens(), 0);
    }

    void Adapter(const std::string& id, bool dhcp, const std::string& connection = "")
    {
        list.adapters.push_back({id, dhcp});
        if (!connection.empty())
            Name(id, connection);
    }
    void Name(const std::string& subkey, const std::string& name)
    {
        registry.SetString(kConnectionClassKey + "\\" + subkey + "\\Connection", "Name", name);
    }
    void Value(const std::string& id, const std::string& name, std::vector<std::uint8_t> data)
    {
        registry.SetRaw(kInterfacesKey + id, name, CFakeRegistry::kString, std::move(data));
    }
    CNetworkInfo& Info()
    {
        if (!info)
            info = std::make_unique<CNetworkInfo>(platform);
        return *info;
    }
    std::vector<std::string> ConnectionNames()
    {
        std::vector<std::string> names;
        for (unsigned i = 0; i < Info().GetAdapterCount(); ++i)
            names.emplace_back(Info().GetConnectionName(i) ? Info().GetConnectionName(i) : "(none)");
        return names;
    }

    CJournal journal;
    CFakeAdapterList list;
    CFakeRegistry registry;
    CHookedRegistry hooked{registry};
    CFakeProcessRunner processes{&journal};
    CFakeMessagePump pump{&journal};
    CFakeClock clock;
    NetworkPlatform platform{list, hooked, processes, pump, clock};
    std::unique_ptr<CNetworkInfo> info;
};

using Names = std::vector<std::string>;

struct RegValue {
    const char* name;
    std::vector<std::uint8_t> data;
};

// As the main dialog reads them: while the registry says static, the adapter
// list's flag decides whether the lease's values stand in for empty ones.
TEST_F(NetworkInfoTest, SettingsTakeTheStaticTextOrTheDhcpTextWhenItIsEmpty)
{
    const Ipv4Addr lease = At(Ip(192, 168, 1, 20)), one = At(Ip(10, 0, 0, 1)), two = At(Ip(10, 0, 0, 2));
    // "10.0.0.1", spaces, "10.0.0.2": exactly 2048 bytes, no terminator.
    const std::string full = "10.0.0.1" + std::string(2048 - 16, ' ') + "10.0.0.2";
    const struct {
        const char* what;
        bool listDhcp;
        std::vector<RegValue> values;
        Ipv4Addr address;
        std::array<Ipv4Addr, 3> dns;
        MoreAddresses more = {};
        MoreGateways gateways = {};
    } cases[] = {
        {"static 0.0.0.0 is not empty", true, {{"IPAddress", Sz("0.0.0.0")}, {"DhcpIPAddress", Sz("192.168.1.20")}}},
        {"empty static falls back", true, {{"IPAddress", Sz("")}, {"DhcpIPAddress", Sz("192.168.1.20")}}, lease},
        {"missing static falls back", true, {{"DhcpIPAddress", Sz("192.168.1.20")}}, lease},
        {"list flag off: no fallback", false, {{"IPAddress", Sz("")}, {"DhcpIPAddress", Sz("192.168.1.20")}}},
        {"list flag on: fallback whatever EnableDHCP says",
         true,
         {{"EnableDHCP", {0, 0, 0, 0}}, {"IPAddress", Sz("")}, {"DhcpIPAddress", Sz("192.168.1.20")}},
         lease},
        {"multi-strings: every address and gateway; metrics 0 and missing shown as 1; NameServer's first string only",
         false,
         {{"IPAddress", Multi({"192.168.0.10", "192.168.0.11"})},
          {"NameServer", Multi({"10.0.0.1", "10.0.0.2"})},
          {"DefaultGateway", Multi({"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4"})},
          {"DefaultGatewayMetric", Multi({"1", "25", "0"})}},
         At(Ip(192, 168, 0, 10)),
         {one},
         {{At(Ip(192, 168, 0, 11)), {}}},
         {{two, 25}, {At(Ip(10, 0, 0, 3)), 1}, {At(Ip(10, 0, 0, 4)), 1}}},
        {"comma", false, {{"NameServer", Sz("10.0.0.1,10.0.0.2")}}, {}, {one, two}},
        {"space", false, {{"NameServer", Sz("10.0.0.1 10.0.0.2")}}, {}, {one, two}},
        {"comma and space", false, {{"NameServer", Sz("10.0.0.1, 10.0.0.2")}}, {}, {one, two}},
        {"four DHCP servers: the first three",
         true,
         {{"NameServer", Sz("")}, {"DhcpNameServer", Sz("10.0.0.1 10.0.0.2 10.0.0.3 10.0.0.4")}},
         {},
         {one, two, At(Ip(10, 0, 0, 3))}},
        {"no terminator", false, {{"IPAddress", Bytes("10.0.0.1")}}, one},
        {"filling the buffer exactly: all of it is the text", false, {{"NameServer", Bytes(full)}}, {}, {one, two}},
        {"larger than the buffer reads as empty",
         true,
         {{"IPAddress", Sz(full)}, {"DhcpIPAddress", Sz("192.168.1.20")}},
         lease},
        {"larger than the buffer, no fallback", false, {{"IPAddress", Bytes(full + "x")}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        registry = CFakeRegistry();
        list.adapters = {{kA, c.listDhcp}};
        for (const RegValue& value : c.values)
            Value(kA, value.name, value.data);
        CNetworkInfo network(platform);
        const ConnectionSettings settings = network.GetSettings(0);
        EXPECT_EQ(settings.ipAddress, c.address);
        EXPECT_EQ(settings.dns, c.dns);
        EXPECT_EQ(settings.moreAddresses, c.more);
        EXPECT_EQ(settings.moreGateways, c.gateways);
        EXPECT_EQ(registry.OpenKeys(), 0);
    }
}

TEST_F(NetworkInfoTest, EachSettingReadsItsOwnValues)
{
    Adapter(kA, false);
    Adapter(kB, true);
    const char* names[] = {"IPAddress", "SubnetMask", "DefaultGateway", "NameServer"};
    for (std::uint32_t n = 0; n < 4; ++n) {
        Value(kA, names[n], Sz("10.0.0." + std::to_string(n + 1)));
        Value(kB, names[n], Sz(""));
        Value(kB, std::string("Dhcp") + names[n], Sz("10.0.1." + std::to_string(n + 1)));
    }
    for (unsigned i = 0; i < 2; ++i) {
        const ConnectionSettings settings = Info().GetSettings(i);
        const Ipv4Addr read[] = {settings.ipAddress, settings.subnetMask, settings.gateway, settings.dns[0]};
        for (std::uint32_t n = 0; n < 4; ++n)
            EXPECT_EQ(read[n], At(Ip(10, 0, i, n + 1))) << names[n];
    }
}

TEST_F(NetworkInfoTest, DhcpFlagsComeFromTheRegistry)
{
    const struct {
        const char* what;
        std::vector<RegValue> values;
        bool dhcp, dnsFromDhcp;
    } cases[] = {
        {"EnableDHCP missing", {{"NameServer", Sz("")}}, false, false},
        {"static, no servers", {{"EnableDHCP", {0, 0, 0, 0}}, {"NameServer", Sz("")}}, false, false},
        {"DHCP, no servers", {{"EnableDHCP", {1, 0, 0, 0}}, {"NameServer", Sz("")}}, true, true},
        {"DHCP, NameServer missing", {{"EnableDHCP", {1, 0, 0, 0}}}, true, true},
        {"DHCP, static servers", {{"EnableDHCP", {1, 0, 0, 0}}, {"NameServer", Sz("10.0.0.1")}}, true, false},
        {"high byte only", {{"EnableDHCP", {0, 0, 0, 1}}}, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        registry = CFakeRegistry();
        // The adapter list's flag does not enter here.
        list.adapters = {{kA, !c.dhcp}};
        for (const RegValue& value : c.values)
            Value(kA, value.name, value.data);
        Value(kA, "DhcpNameServer", Sz("10.0.0.9"));
        CNetworkInfo network(platform);
        EXPECT_EQ(network.IsDhcpEnabled(0), c.dhcp);
        EXPECT_EQ(network.IsDnsFromDhcp(0), c.dnsFromDhcp);
        EXPECT_EQ(registry.OpenKeys(), 0);
    }
}

TEST_F(NetworkInfoTest, StaticConnectionWithoutServersHasNoDns)
{
    Adapter(kA, false);
    registry.SetDword(kInterfacesKey + kA, "EnableDHCP", 0);
    Value(kA, "NameServer", Sz(""));
    Value(kA, "DhcpNameServer", Sz("10.0.0.9 10.0.0.8"));
    EXPECT_FALSE(Info().IsDnsFromDhcp(0));
    EXPECT_EQ(Info().GetSettingsInForce(0).dns, (std::array<Ipv4Addr, 3>{}));
}

TEST_F(NetworkInfoTest, MatchesConnectionNamesBySubkeyWithoutRegardToCase)
{
    Adapter(kA, true);
    Adapter(kB, true);
    Adapter("{abcdef00-1111-4222-8333-000000000004}", true);
    registry.AddKey(kConnectionClassKey + "\\Descriptions");             // not a connection
    registry.AddKey(kConnectionClassKey + "\\" + std::string(255, 'L')); // longer than the name buffer
    Name(kB, "Wireless Network Connection");
    Name("{ABCDEF00-1111-4222-8333-000000000004}", "Other case");
    Name(kA, "Local Area Connection");
    Name(kC, "Not in the list");
    EXPECT_EQ(ConnectionNames(), (Names{"Local Area Connection", "Wireless Network Connection", "Other case"}));
    EXPECT_EQ(Info().GetConnectionName(3), nullptr);
    EXPECT_FALSE(Info().AdaptersUnreadable());
}

TEST_F(NetworkInfoTest, FirstSubkeySeenGivesTheName)
{
    Adapter(kA, true);
    Adapter(kB, true);
    Name(kA, "First");
    Name(kB, "Wireless");
    Name(kC, "Third");
    // While kB is read, kA is made again at the end, so it is enumerated twice.
    hooked.beforeOpen = [this](const std::string& path) {
        if (path != kConnectionClassKey + "\\" + kB + "\\Connection")
            return;
        hooked.beforeOpen = nullptr;
        registry.RemoveKey(kConnectionClassKey + "\\" + kA + "\\Connection");
        registry.RemoveKey(kConnectionClassKey + "\\" + kA);
        Name(kA, "Second");
    };
    EXPECT_EQ(ConnectionNames(), (Names{"First", "Wireless"}));
}

TEST_F(NetworkInfoTest, UnreadableNameEndsTheMatching)
{
    const std::string longest(3 * 254 + 1, 'N');
    const struct {
        const char* what;
        std::function<void(CFakeRegistry&)> name; // of kB
        Names names;
    } cases[] = {
        {"failing",
         [](CFakeRegistry& r) { r.FailValue(kConnectionClassKey + "\\" + kB + "\\Connection", "Name", 5); },
         {"Alpha", "(none)", "(none)"}},
        {"missing",
         [](CFakeRegistry& r) { r.AddKey(kConnectionClassKey + "\\" + kB + "\\Connection"); },
         {"Alpha", "(none)", "(none)"}},
        {"filling the buffer, no terminator",
         [&](CFakeRegistry& r) {
             r.SetRaw(kConnectionClassKey + "\\" + kB + "\\Connection", "Name", CFakeRegistry::kString, Bytes(longest));
         },
         {"Alpha", longest, "Gamma"}},
        {"larger than the buffer",
         [&](CFakeRegistry& r) { r.SetString(kConnectionClassKey + "\\" + kB + "\\Connection", "Name", longest); },
         {"Alpha", "(none)", "(none)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        registry = CFakeRegistry();
        info.reset();
        list.adapters = {{kA, true}, {kB, true}, {kC, true}};
        Name(kA, "Alpha");
        c.name(registry);
        Name(kC, "Gamma");
        EXPECT_EQ(ConnectionNames(), c.names);
        EXPECT_EQ(registry.OpenKeys(), 0);
    }
}

TEST_F(NetworkInfoTest, MissingClassKeyGivesNoNamesAndNoMessage)
{
    Adapter(kA, true);
    Adapter(kB, false);
    EXPECT_EQ(ConnectionNames(), (Names{"(none)", "(none)"}));
    EXPECT_FALSE(Info().AdaptersUnreadable());
}

TEST_F(NetworkInfoTest, SizesTheAdapterListFromWhatTheFirstCallSays)
{
    Adapter(kA, true, "A");
    EXPECT_EQ(Info().GetAdapterCount(), 1u);
    // Filled a second time even though 640 bytes were enough.
    EXPECT_EQ(list.sizesSeen, (std::vector<std::uint32_t>{640, 640}));

    list = CFakeAdapterList();
    info.reset();
    Adapter(kA, true);
    Adapter(kB, false, "B");
    Adapter(kC, true);
    EXPECT_EQ(ConnectionNames(), (Names{"A", "B", "(none)"}));
    EXPECT_EQ(list.sizesSeen, (std::vector<std::uint32_t>{640, 3 * 640}));
    EXPECT_FALSE(Info().AdaptersUnreadable());
}

TEST_F(NetworkInfoTest, SizesAgainWhenTheListGrowsBetweenCalls)
{
    Adapter(kA, true, "A");
    list.afterFill = [this](std::size_t call) {
        if (call <= 2)
            list.adapters.push_back({call == 1 ? kB : kC, false});
    };
    EXPECT_EQ(ConnectionNames(), (Names{"A", "(none)", "(none)"}));
    EXPECT_EQ(Info().GetAdapterCount(), 3u);
    EXPECT_FALSE(Info().AdaptersUnreadable());
    ASSERT_GE(list.sizesSeen.size(), 3u);
    EXPECT_EQ(list.sizesSeen.back(), 3 * 640u);
}

TEST_F(NetworkInfoTest, ListThatKeepsGrowingIsReportedUnreadable)
{
    Adapter(kA, true);
    list.afterFill = [this](std::size_t call) {
        if (call < 100)
            list.adapters.push_back({"{grown " + std::to_string(call) + "}", false});
    };
    EXPECT_EQ(Info().GetAdapterCount(), 0u);
    EXPECT_LT(list.sizesSeen.size(), 100u);
    EXPECT_TRUE(Info().AdaptersUnreadable());
}

TEST_F(NetworkInfoTest, FailingListIsReportedUnreadableAndLeavesNoAdapters)
{
    const struct {
        const char* what;
        bool withAdapter;
        std::uint32_t first, second; // what each call returns, when it fails
        unsigned count;
    } cases[] = {
        {"both calls fail", true, 31, 31, 0},
        {"second call fails", true, 0, 31, 0},
        {"no adapters", false, 0, 0, 0},
        // The second call's result is the one that counts.
        {"only the first call fails", true, 31, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        list = CFakeAdapterList();
        registry = CFakeRegistry();
        if (c.withAdapter)
            Adapter(kA, true, "A");
        list.failure = c.first;
        list.afterFill = [&](std::size_t call) {
            if (call == 1)
                list.failure = c.second;
        };
        CNetworkInfo network(platform);
        EXPECT_EQ(network.GetAdapterCount(), c.count);
        EXPECT_EQ(list.sizesSeen.size(), 2u);
        EXPECT_EQ(network.AdaptersUnreadable(), c.count == 0);
        if (c.count != 0) {
            EXPECT_STREQ(network.GetConnectionName(0), "A");
        }
    }
}

TEST_F(NetworkInfoTest, RunsNetshFromTheSystemFolderOneCommandAtATime)
{
    Adapter(kA, false, "Local Area Connection");
    EXPECT_FALSE(Info().SetAddress(0, Settings(1, 1, Ip(10, 0, 0, 9), 0, 0, 0, 0, 0, kFurther)).empty());
    EXPECT_FALSE(Info().SetAddress(0, Settings(0, 1, Ip(192, 168, 0, 10), Ip(255, 255, 255, 0), 0, 0, 0, 0)).empty());
    EXPECT_FALSE(Info().SetDns(0, At(Ip(10, 0, 0, 1)), At(Ip(10, 0, 0, 2)), At(Ip(10, 0, 0, 3))).empty());
    EXPECT_FALSE(Info().SetDns(0, At(0), At(Ip(10, 0, 0, 2)), At(0)).empty());
    const std::vector<std::string> expected = {
        "interface ip set address name=\"Local Area Connection\" source=dhcp", // whatever the fields hold
        "interface ip set address name=\"Local Area Connection\" source=static addr=192.168.0.10 "
        "mask=255.255.255.0 gateway=0.0.0.0 gwmetric=1",
        "interface ip set dns name=\"Local Area Connection\" source=static addr=10.0.0.1 register=PRIMARY",
        "interface ip add dns name=\"Local Area Connection\" addr=10.0.0.2 index=2",
        "interface ip add dns name=\"Local Area Connection\" addr=10.0.0.3 index=3",
        "interface ip set dns name=\"Local Area Connection\" source=dhcp register=PRIMARY",
    };
    ASSERT_EQ(processes.runs.size(), expected.size());
    std::vector<std::string> journalled;
    for (std::size_t r = 0; r < expected.size(); ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(processes.runs[r].file, kNetsh);
        EXPECT_EQ(processes.runs[r].parameters, expected[r]);
        journalled.push_back("run " + expected[r]);
        journalled.emplace_back("pump");
    }
    EXPECT_EQ(journal.Entries(), journalled);
}

TEST_F(NetworkInfoTest, ANetshThatCannotStartIsReportedAndTheLaterCommandsAreStillTried)
{
    Adapter(kA, false, "LAN");
    processes.startFails = true;
    EXPECT_FALSE(Info().SetAddress(0, {}).at(0).bStarted);
    EXPECT_FALSE(Info().SetDns(0, At(Ip(10, 0, 0, 1)), At(Ip(10, 0, 0, 2)), At(Ip(10, 0, 0, 3))).at(0).bStarted);
    EXPECT_EQ(processes.runs.size(), 4u);
}

TEST_F(NetworkInfoTest, ANetshThatHangsIsEndedAfterAMinuteAndNothingMoreIsRun)
{
    Adapter(kA, false, "LAN");
    processes.hang = "set dns";
    processes.pClock = &clock;
    const NetshRuns runs = Info().SetDns(0, At(Ip(10, 0, 0, 1)), At(Ip(10, 0, 0, 2)), At(0));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_TRUE(runs[0].bTimedOut);
    EXPECT_EQ(clock.now, kNetshTimeLimit);
    EXPECT_EQ(journal.Entries(), (std::vector<std::string>{"run " + runs[0].command, "pump", "ended"}));
}

TEST_F(NetworkInfoTest, RunsNothingWithoutASafeNameOrASystemFolder)
{
    const struct {
        const char* what;
        std::string name; // empty: no connection matched
        unsigned index;
        std::string systemDirectory;
    } cases[] = {
        {"double quote", "LAN\" source=dhcp", 0, "C:\\windows\\system32"},
        {"tab", "LAN\t1", 0, "C:\\windows\\system32"},
        {"line feed", "LAN\n1", 0, "C:\\windows\\system32"},
        {"delete", "LAN\x7F", 0, "C:\\windows\\system32"},
        {"no connection name", "", 0, "C:\\windows\\system32"},
        {"index past the list", "LAN", 1, "C:\\windows\\system32"},
        {"no system folder", "LAN", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        registry = CFakeRegistry();
        list.adapters.clear();
        processes.runs.clear();
        Adapter(kA, false, c.name);
        processes.systemDirectory = c.systemDirectory;
        CNetworkInfo network(platform);
        EXPECT_TRUE(network.SetAddress(c.index, Settings(0, 1, Ip(10, 0, 0, 5), Ip(255, 0, 0, 0), 0, 0, 0, 0)).empty());
        EXPECT_TRUE(network.SetAddress(c.index, {}).empty());
        EXPECT_TRUE(network.SetDns(c.index, At(Ip(10, 0, 0, 1)), At(Ip(10, 0, 0, 2)), At(0)).empty());
        EXPECT_TRUE(network.SetDns(c.index, At(0), At(0), At(0)).empty());
        EXPECT_TRUE(processes.runs.empty());
    }
}

} // namespace
