#include "engine/AutoConfiguration.h"
#include "engine/RecordingEngine.h"
#include "support/NetworkTestValues.h"
#include "support/TestSettings.h"

#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

constexpr const char* kLan = "Local Area Network";
constexpr const char* kWlan = "Wireless Network Connection";
// 198.18.0.1 in control order; left unswapped it would read 1.0.18.198.
constexpr std::uint32_t kTestAddress = 0xC6120001;
constexpr const char* kPing = "ping 198.18.0.1";
constexpr const char* kDhcpOn0 = "address 0 0.0.0.0 0.0.0.0 0.0.0.0";
constexpr const char* kDhcpOn1 = "address 1 0.0.0.0 0.0.0.0 0.0.0.0";
constexpr const char* kDhcpDnsOn1 = "dns 1 0.0.0.0 0.0.0.0 0.0.0.0";

struct Config {
    std::string name;
    std::string connection = kLan;
    bool dhcpAddress = false;
    bool dhcpDns = false;
    std::uint32_t ip = 0, mask = 0, gateway = 0, dns1 = 0, dns2 = 0, dns3 = 0;
};

// Static, with every number different; its address command on connection 0
// is Applied(n).
Config Static(std::string name, std::uint32_t n, std::string connection = kLan)
{
    return {std::move(name),
            std::move(connection),
            false,
            false,
            Ip(198, 18, n, 10),
            Ip(255, 255, 255, 0),
            Ip(198, 18, n, 1),
            Ip(198, 18, n, 53),
            Ip(198, 19, n, 54),
            Ip(198, 20, n, 55)};
}

std::string Applied(std::uint32_t n, unsigned nConnection = 0)
{
    const std::string net = "198.18." + std::to_string(n) + ".";
    return "address " + std::to_string(nConnection) + " " + net + "10 255.255.255.0 " + net + "1";
}

Config Dhcp(std::string name, std::string connection = kLan)
{
    return {std::move(name), std::move(connection), true, true};
}

// An engine holding the configurations, with the test address set and a
// lease wait of 6000 ms.
class CAutoEngine : public RecordingEngine {
public:
    explicit CAutoEngine(const std::vector<Config>& list, CRecordingConnections::Names names = {kLan, kWlan})
        : RecordingEngine(std::move(names))
    {
        Prefs().dwTestAddress = kTestAddress;
        Prefs().nDhcpWait = 6000;
        for (const Config& c : list)
            Add(c);
    }

    PREFERENCES& Prefs() { return configs.GetPreferences(); }
    void Add(const Config& c)
    {
        EXPECT_EQ(configs.Add(c.name.c_str(), c.connection.c_str(),
                              Settings(c.dhcpAddress, c.dhcpDns, c.ip, c.mask, c.gateway, c.dns1, c.dns2, c.dns3)),
                  CONFIG_DONE);
    }
    ExitCode Run() { return Dialog().Auto(); }
};

TEST(AutoConfiguration, WorkingCurrentSettingsApplyNothing)
{
    const struct {
        std::int32_t bExit;
        int nAnswer;
        bool ends;
    } cases[] = {{0, 1, false}, {1, 1, true}, {-1, 1, true}, {1, 2, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "exit " << c.bExit << ", answer " << c.nAnswer);
        CAutoEngine run{{Static("Office", 1), Dhcp("Home")}};
        run.Prefs().bExitAfterAuto = c.bExit;
        run.probe.bCurrentWorks = true;
        run.probe.nAnswer = c.nAnswer;
        EXPECT_EQ(run.Run(), ExitCode::Done);

        Texts expected = {"disable",
                          "hide",
                          "progress start",
                          "caption Finding Appropriate Configuration..",
                          "range 0 1",
                          "pos 0",
                          "text Ping testing for Current Configuration ..",
                          kPing,
                          "text Current Configuration is working.",
                          "progress close",
                          "enable",
                          "show",
                          "focus"};
        if (c.ends)
            expected.push_back("end ok");
        expected.push_back("refresh");
        EXPECT_EQ(run.journal.Entries(), expected);
    }
}

TEST(AutoConfiguration, TriesStaticConfigurationsFirstAndDhcpOnesAfterwards)
{
    CAutoEngine run{{Static("A", 1), Dhcp("B", kWlan), Static("C", 3)}};
    run.Prefs().bExitAfterAuto = 1;
    run.probe.workingAddresses = {kDhcpOn1};
    run.Run();

    EXPECT_EQ(run.journal.Entries(), (Texts{"disable",
                                            "hide",
                                            "progress start",
                                            "caption Finding Appropriate Configuration..",
                                            "range 0 2",
                                            "pos 0",
                                            "text Ping testing for Current Configuration ..",
                                            kPing,
                                            "pos 0",
                                            "text Applying Configuration 'A'..",
                                            Applied(1),
                                            "text Ping testing for Configuration 'A'..",
                                            kPing,
                                            "pos 1",
                                            "text Applying Configuration 'B'..",
                                            "pos 1",
                                            "text Applying Configuration 'C'..",
                                            Applied(3),
                                            "text Ping testing for Configuration 'C'..",
                                            kPing,
                                            "pos 2",
                                            "text Applying Configuration 'B'..",
                                            kDhcpOn1,
                                            "text Waiting for obtaining IP address from DHCP Server..",
                                            "sleep 6000",
                                            "text Ping testing for Configuration 'B'..",
                                            kPing,
                                            "text Setting DNS Servers..",
                                            kDhcpDnsOn1,
                                            "progress close",
                                            "enable",
                                            "show",
                                            "focus",
                                            "end ok",
                                            "refresh"}));
}

TEST(AutoConfiguration, StopsAtTheFirstWorkingConfiguration)
{
    const struct {
        const char* what;
        std::vector<Config> configs;
        std::set<std::string> working;
        Texts commands;
    } cases[] = {
        {"two working DHCP configurations",
         {Dhcp("First", kWlan), Dhcp("Second", kLan)},
         {kDhcpOn0, kDhcpOn1},
         {kDhcpOn1, "sleep 6000", kDhcpDnsOn1}},
        {"a working static one before a working DHCP one",
         {Dhcp("Lease"), Static("Fixed", 2), Static("Later", 3)},
         {kDhcpOn0, Applied(2), Applied(3)},
         {Applied(2), "dns 0 198.18.2.53 198.19.2.54 198.20.2.55"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CAutoEngine run{c.configs};
        run.Prefs().bExitAfterAuto = 1;
        run.probe.workingAddresses = c.working;
        run.Run();

        EXPECT_EQ(run.Only({"address", "dns", "sleep"}), c.commands);
        EXPECT_EQ(run.Only({"message", "end"}), Texts{"end ok"});
    }
}

TEST(AutoConfiguration, AConfigurationWhoseAddressDidNotTakeIsNeitherWaitedForNorProbed)
{
    CAutoEngine run{{Static("Refused", 1), Dhcp("Refused lease", kWlan), Static("Lab", 3)}};
    // Both connections start static, so a refused DHCP command leaves them so.
    run.connections.inForce.assign(2, Settings(0, 1, Ip(192, 0, 2, 9), Ip(255, 255, 255, 0), 0, 0, 0, 0));
    run.connections.refused = {Applied(1), kDhcpOn1};
    EXPECT_EQ(run.Run(), ExitCode::DidNotWork);

    // The wireless connection was never changed, so only the wired one is put back.
    EXPECT_EQ(run.Only({"address", "ping", "sleep", "dns", "message"}),
              (Texts{kPing, Applied(1), Applied(3), kPing, kDhcpOn1, "address 0 192.0.2.9 255.255.255.0 0.0.0.0",
                     "message Can't find any appropriate Configuration."}));
}

TEST(AutoConfiguration, AnAddressIsTestedOnceWindowsHasCheckedItAndNeverWhenAnotherComputerHasIt)
{
    CAutoEngine run{{Static("Clash", 2), Static("Fixed", 3)}};
    run.probe.workingAddresses = {Applied(2), Applied(3)};
    run.connections.states = {AddressState::Tentative, AddressState::Duplicate, AddressState::Tentative,
                              AddressState::Usable};
    EXPECT_EQ(run.Run(), ExitCode::Done);
    EXPECT_EQ(run.Only({"address", "state", "sleep", "ping", "dns"}),
              (Texts{kPing, Applied(2), "state 198.18.2.10 tentative", "sleep 250", "state 198.18.2.10 duplicate",
                     Applied(3), "state 198.18.3.10 tentative", "sleep 250", "state 198.18.3.10 usable", kPing,
                     "dns 0 198.18.3.53 198.19.3.54 198.20.3.55"}));
}

TEST(AutoConfiguration, NothingAnsweringPutsBackTheStartingAddresses)
{
    const ConnectionSettings kStaticStart = Settings(0, 0, Ip(192, 0, 2, 9), Ip(255, 255, 255, 0), Ip(192, 0, 2, 1),
                                                     Ip(192, 0, 2, 53), 0, 0, kFurther, kFurtherGateways);
    const ConnectionSettings kDhcpStart = Settings(1, 1, 0, 0, 0, 0, 0, 0);
    const std::string kStaticBack = "address 0 192.0.2.9 255.255.255.0 192.0.2.1";
    const std::string kNotFound = "message Can't find any appropriate Configuration.";
    const struct {
        const char* what;
        std::vector<Config> configs;
        ConnectionSettings lanStart;
        std::vector<std::string> refused;
        Texts seen; // address commands, the restoring text and messages
    } cases[] = {
        {"static start",
         {Static("A", 1), Static("B", 2)},
         kStaticStart,
         {},
         {Applied(1), Applied(2), "text Restoring the previous settings..", kStaticBack, kNotFound}},
        {"DHCP start",
         {Static("A", 1)},
         kDhcpStart,
         {},
         {Applied(1), "text Restoring the previous settings..", kDhcpOn0, kNotFound}},
        {"two connections, each put back once, in the order first changed",
         {Static("Wireless", 3, kWlan), Static("A", 1), Dhcp("Lease")},
         kStaticStart,
         {},
         {Applied(3, 1), Applied(1), kDhcpOn0, "text Restoring the previous settings..",
          "address 1 0.0.0.0 0.0.0.0 0.0.0.0", kStaticBack, kNotFound}},
        {"already as at the start", {Dhcp("Lease")}, kDhcpStart, {}, {kDhcpOn0, kNotFound}},
        {"the restore refused",
         {Static("A", 1)},
         kStaticStart,
         {kStaticBack},
         {Applied(1), "text Restoring the previous settings..", kStaticBack, kNotFound,
          "message The previous settings of \"Local Area Network\" could not be put back:\n"
          "IP address: asked 192.0.2.9, has 198.18.1.10\n"
          "Default gateway: asked 192.0.2.1, has 198.18.1.1\n"
          "IP address 2: asked 172.16.0.3, has none\nDefault gateway 2: asked 10.0.0.2, has none\n\n"
          "netsh said: refused: address 0 192.0.2.9 255.255.255.0 192.0.2.1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CAutoEngine run{c.configs};
        run.Prefs().bExitAfterAuto = 1;
        run.connections.inForce = {c.lanStart, kDhcpStart};
        run.connections.refused = c.refused;
        run.Run();

        EXPECT_EQ(run.Only({"address", "text Restoring", "message", "end"}), c.seen);
        if (c.refused.empty()) {
            EXPECT_TRUE(run.connections.inForce == std::vector<ConnectionSettings>({c.lanStart, kDhcpStart}));
        }
    }
}

TEST(AutoConfiguration, OneConfigurationHasARangeOfZeroToZero)
{
    CAutoEngine current{{Static("Only", 1)}};
    current.probe.bCurrentWorks = true;
    current.Run();
    EXPECT_EQ(current.Only({"range", "pos", "address", "dns"}), (Texts{"range 0 0", "pos 0"}));

    CAutoEngine applied{{Static("Only", 1)}};
    applied.probe.workingAddresses = {Applied(1)};
    applied.Run();
    EXPECT_EQ(applied.Only({"range", "pos", "address", "dns"}),
              (Texts{"range 0 0", "pos 0", "pos 0", Applied(1), "dns 0 198.18.1.53 198.19.1.54 198.20.1.55"}));
}

TEST(AutoConfiguration, ReportsWhenNothingWorksWithoutEndingTheProgram)
{
    CAutoEngine run{{Dhcp("D1"), Static("S1", 1), Dhcp("D2", kWlan), Static("S2", 2)}};
    run.Prefs().bExitAfterAuto = 1;
    run.Run();

    // Each configuration tried once, DHCP ones last; the last is shown at N - 1.
    EXPECT_EQ(run.Only({"range", "pos", "address", "dns", "sleep"}),
              (Texts{"range 0 3", "pos 0", "pos 0", "pos 0", Applied(1), "pos 1", "pos 1", Applied(2), "pos 2",
                     kDhcpOn0, "sleep 6000", "pos 3", kDhcpOn1, "sleep 6000"}));
    const Texts& entries = run.journal.Entries();
    ASSERT_GE(entries.size(), 7u);
    EXPECT_EQ(Texts(entries.end() - 7, entries.end()),
              (Texts{kPing, "progress close", "enable", "show", "focus",
                     "message Can't find any appropriate Configuration.", "refresh"}));
    ASSERT_EQ(run.messages.shown.size(), 1u);
    EXPECT_EQ(run.messages.shown[0].flags, mb::kOk | mb::kIconError);
}

TEST(AutoConfiguration, LeaseWaitIsBetweenFourSecondsAndOneMinute)
{
    const struct {
        std::uint32_t preference;
        const char* sleep;
    } cases[] = {
        {0, "sleep 4000"},      {1000, "sleep 4000"},   {3999, "sleep 4000"},
        {4000, "sleep 4000"},   {4001, "sleep 4001"},   {7000, "sleep 7000"},
        {60000, "sleep 60000"}, {60001, "sleep 60000"}, {0xFFFFFFFFu, "sleep 60000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.preference);
        CAutoEngine run{{Dhcp("One"), Static("Fixed", 1), Dhcp("Two", kWlan)}};
        run.Prefs().nDhcpWait = c.preference;
        run.Run();

        // Once per DHCP configuration, after its address command.
        EXPECT_EQ(run.Only({"address", "sleep"}), (Texts{Applied(1), kDhcpOn0, c.sleep, kDhcpOn1, c.sleep}));
    }
}

TEST(AutoConfiguration, WorkingConfigurationGetsItsOwnDnsSetting)
{
    const std::string kStoredDns = "dns 1 198.18.5.53 198.19.5.54 198.20.5.55";
    const struct {
        const char* what;
        bool dhcpAddress, dhcpDns;
        Texts commands;
    } cases[] = {
        {"static address and DNS", false, false, {Applied(5, 1), kStoredDns}},
        {"static address, DNS by DHCP", false, true, {Applied(5, 1), kDhcpDnsOn1}},
        {"address by DHCP, static DNS", true, false, {kDhcpOn1, kStoredDns}},
        {"both by DHCP", true, true, {kDhcpOn1, kDhcpDnsOn1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Config config = Static("Mixed", 5, kWlan);
        config.dhcpAddress = c.dhcpAddress;
        config.dhcpDns = c.dhcpDns;
        CAutoEngine run{{config}};
        run.probe.workingAddresses = {Applied(5, 1), kDhcpOn1};
        run.Run();

        EXPECT_EQ(run.Only({"address", "dns"}), c.commands);
        EXPECT_EQ(run.Only({"text Setting"}), Texts{"text Setting DNS Servers.."});
    }
}

TEST(AutoConfiguration, RefusesAnEmptyListOrNoConnection)
{
    const struct {
        const char* what;
        bool hasConfig;
        CRecordingConnections::Names names;
        const char* message;
        ExitCode code;
    } cases[] = {
        {"empty list", false, {kLan}, "message No configuration defined.", ExitCode::DidNotWork},
        {"empty list, no connection either", false, {}, "message No configuration defined.", ExitCode::DidNotWork},
        {"no connection", true, {}, "message No network connection is selected.", ExitCode::NotFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CAutoEngine run{{}, c.names};
        if (c.hasConfig)
            run.Add(Static("Office", 1));
        run.Prefs().bExitAfterAuto = 1;
        run.probe.bCurrentWorks = true;
        EXPECT_EQ(run.Run(), c.code);

        EXPECT_EQ(run.journal.Entries(), Texts{c.message});
        ASSERT_EQ(run.messages.shown.size(), 1u);
        EXPECT_EQ(run.messages.shown[0].flags, mb::kOk | mb::kIconError);
    }
}

TEST(AutoConfiguration, FindsTheConnectionByItsWholeExactNameAndSkipsTheOthers)
{
    const std::string longName(512, 'x');
    CRecordingConnections::Names names = {"X", std::nullopt, "", "A 2", "a", "A", "A", longName + "y", longName};
    const struct {
        std::string connection;
        std::optional<unsigned> index; // none: skipped
    } cases[] = {
        {"A", 5}, {"a", 4}, {"A 2", 3}, {"", 2}, {longName, 8}, {"B", {}}, {"A ", {}}, {"A 2 ", {}}, {"x", {}},
    };
    CAutoEngine run{{}, names};
    Texts applied;
    Texts restored;
    for (const auto& c : cases) {
        run.Add(Static("To '" + c.connection + "'", 1, c.connection));
        if (c.index) {
            applied.push_back(Applied(1, *c.index));
            restored.push_back("address " + std::to_string(*c.index) + " 0.0.0.0 0.0.0.0 0.0.0.0");
        }
    }
    run.Run();
    applied.insert(applied.end(), restored.begin(), restored.end());
    EXPECT_EQ(run.Only({"address"}), applied);
    // Those skipped are named on the display and still counted: the last is at N - 1.
    const Texts skipped = run.Only({"text Skipping"});
    ASSERT_EQ(skipped.size(), 4u);
    EXPECT_EQ(skipped[0], "text Skipping Configuration 'To 'B'': no connection named 'B' on this computer..");
    EXPECT_EQ(run.Only({"pos"}).back(), "pos 8");
}

TEST(AutoConfiguration, StatusTextsHoldLongNamesWhole)
{
    const std::string name = "<" + std::string(510, 'n') + ">";
    CAutoEngine run{{Dhcp(name)}};
    ASSERT_EQ(std::strlen(run.configs.GetHead()->szName), 512u);
    run.probe.workingAddresses = {kDhcpOn0};
    run.Run();

    EXPECT_EQ(run.Only({"text"}),
              (Texts{"text Ping testing for Current Configuration ..", "text Applying Configuration '" + name + "'..",
                     "text Applying Configuration '" + name + "'..",
                     "text Waiting for obtaining IP address from DHCP Server..",
                     "text Ping testing for Configuration '" + name + "'..", "text Setting DNS Servers.."}));
}

} // namespace
