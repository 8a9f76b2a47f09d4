#include "engine/ApplyConfiguration.h"
#include "engine/RecordingEngine.h"
#include "support/TestSettings.h"

#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// As an address control gives a.b.c.d: the first number in the most
// significant byte.
constexpr std::uint32_t Control(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d)
{
    return (a << 24) | (b << 16) | (c << 8) | d;
}

// What the dialog reads from its controls: the radio groups' values and the
// six address controls in control order.
ApplyInputs Inputs(int nConnection, int nAddressMode, int nDnsMode, const std::array<std::uint32_t, 6>& controls)
{
    const auto at = [&](std::size_t k) { return Ipv4Addr::FromControlOrder(controls[k]); };
    return {nConnection, {nAddressMode == 0, at(0), at(1), at(2), nDnsMode == 0, {at(3), at(4), at(5)}}};
}

// Every field filled, each number different so that a byte left unswapped
// shows.
constexpr std::array<std::uint32_t, 6> kFilledControls = {Control(198, 18, 1, 10), Control(255, 255, 254, 0),
                                                          Control(198, 18, 1, 1),  Control(198, 18, 0, 53),
                                                          Control(198, 19, 0, 54), Control(198, 20, 0, 55)};
const ApplyInputs kFilled = Inputs(0, 1, 1, kFilledControls);

class ApplyConfigurationTest : public ::testing::Test {
protected:
    ExitCode Run(const ApplyInputs& inputs) { return engine.Dialog().Apply(inputs); }

    RecordingEngine engine{{"Local Area Network", "Wireless Network Connection"}};
};

TEST_F(ApplyConfigurationTest, RunsTheStepsInOrderAndHonoursTheExitPreference)
{
    for (const std::int32_t bExit : {0, 1, -1}) {
        SCOPED_TRACE(bExit);
        engine.journal.Clear();
        engine.configs.GetPreferences().bExitAfterApply = bExit;
        ApplyInputs inputs = kFilled;
        inputs.nConnection = 1;
        EXPECT_EQ(Run(inputs), ExitCode::Done);

        Texts expected = {"disable",
                          "hide",
                          "progress start",
                          "caption Applying Network Configuration..",
                          "range 0 2",
                          "pos 0",
                          "text Setting IP Address, Subnet Mask and Default Gateway...",
                          "address 1 198.18.1.10 255.255.254.0 198.18.1.1",
                          "pos 1",
                          "text Setting DNS Servers...",
                          "dns 1 198.18.0.53 198.19.0.54 198.20.0.55",
                          "pos 2",
                          "text Done.",
                          "progress close",
                          "enable",
                          "show",
                          "focus"};
        if (bExit != 0)
            expected.push_back("end ok");
        EXPECT_EQ(engine.journal.Entries(), expected);
    }
}

TEST_F(ApplyConfigurationTest, ModesChooseBetweenDhcpAndTheShownValues)
{
    const struct {
        const char* what;
        ApplyInputs inputs;
        Texts commands;
    } cases[] = {
        {"both by DHCP, whatever the controls hold",
         Inputs(0, 0, 0, kFilledControls),
         {"address 0 0.0.0.0 0.0.0.0 0.0.0.0", "dns 0 0.0.0.0 0.0.0.0 0.0.0.0"}},
        {"static address, DNS by DHCP",
         Inputs(0, 1, 0, kFilledControls),
         {"address 0 198.18.1.10 255.255.254.0 198.18.1.1", "dns 0 0.0.0.0 0.0.0.0 0.0.0.0"}},
        {"address by DHCP, static DNS",
         Inputs(0, 0, 1, kFilledControls),
         {"address 0 0.0.0.0 0.0.0.0 0.0.0.0", "dns 0 198.18.0.53 198.19.0.54 198.20.0.55"}},
        {"both static, only the first DNS server filled",
         Inputs(0, 1, 1, {kFilledControls[0], kFilledControls[1], kFilledControls[2], kFilledControls[3], 0, 0}),
         {"address 0 198.18.1.10 255.255.254.0 198.18.1.1", "dns 0 198.18.0.53 0.0.0.0 0.0.0.0"}},
        {"empty static controls are passed as they are",
         Inputs(0, 1, 1, {}),
         {"address 0 0.0.0.0 0.0.0.0 0.0.0.0", "dns 0 0.0.0.0 0.0.0.0 0.0.0.0"}},
        {"any mode but 0 is static",
         Inputs(0, -1, 2, {Control(127, 0, 0, 2), Control(255, 0, 0, 0), 0, Control(127, 0, 0, 3), 0, 0}),
         {"address 0 127.0.0.2 255.0.0.0 0.0.0.0", "dns 0 127.0.0.3 0.0.0.0 0.0.0.0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        engine.journal.Clear();
        Run(c.inputs);
        EXPECT_EQ(engine.Only({"address", "dns"}), c.commands);
    }
}

TEST_F(ApplyConfigurationTest, WhatDidNotTakeIsToldAndNeverEndsTheProgram)
{
    const std::string address = "address 1 198.18.1.10 255.255.254.0 198.18.1.1";
    const std::string dns = "dns 1 198.18.0.53 198.19.0.54 198.20.0.55";
    const std::string head = "message The settings of \"Wireless Network Connection\" did not take:\n";
    const std::string addressLine = "IP address: asked 198.18.1.10, has DHCP\n";
    const std::string dnsLine = "DNS servers: asked 198.18.0.53, 198.19.0.54, 198.20.0.55, has ";
    const struct {
        const char* what;
        std::vector<std::string> refused;
        std::string message;
        std::vector<std::string> hung = {};
        std::vector<AddressState> states = {};
        std::string lastText = "text Setting DNS Servers...";
    } cases[] = {
        {"the address", {"address"}, head + addressLine + "\nnetsh said: refused: " + address},
        {"the DNS servers", {"dns"}, head + dnsLine + "DHCP\n\nnetsh said: refused: " + dns},
        {"a netsh that had to be ended, and no DNS step after it",
         {},
         head + addressLine + dnsLine + "DHCP\n\nnetsh did not finish within 60 seconds and was ended.",
         {"address"},
         {},
         "text Setting IP Address, Subnet Mask and Default Gateway..."},
        {"addresses another computer has, found after a check",
         {},
         head + "IP address: asked 198.18.1.10, another computer on the network uses it\n"
                "IP address 2: asked 172.16.0.3, another computer on the network uses it",
         {},
         {AddressState::Tentative, AddressState::Duplicate, AddressState::Duplicate}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        engine.journal.Clear();
        engine.connections.inForce.assign(2, {});
        engine.connections.refused = c.refused;
        engine.connections.hung = c.hung;
        engine.connections.states = c.states;
        engine.configs.GetPreferences().bExitAfterApply = 1;
        ApplyInputs inputs = kFilled;
        inputs.nConnection = 1;
        inputs.settings.moreAddresses = kFurther;
        EXPECT_EQ(Run(inputs), ExitCode::DidNotWork);

        const Texts& entries = engine.journal.Entries();
        ASSERT_GE(entries.size(), 5u);
        EXPECT_EQ(Texts(entries.end() - 5, entries.end()),
                  (Texts{"progress close", "enable", "show", "focus", c.message}));
        EXPECT_EQ(engine.Only({"text", "end"}).back(), c.lastText);
        ASSERT_EQ(engine.messages.shown.size(), 1u);
        EXPECT_EQ(engine.messages.shown[0].flags, mb::kOk | mb::kIconError);
        engine.messages.shown.clear();
    }
}

TEST_F(ApplyConfigurationTest, RefusesWithoutAConnectionToApplyTo)
{
    const struct {
        const char* what;
        int nConnection;
        CRecordingConnections::Names names;
    } cases[] = {
        {"nothing selected", -1, {"Local Area Network", "Wireless Network Connection"}},
        {"far below zero", -2147483647 - 1, {"Local Area Network"}},
        {"one past the end", 2, {"Local Area Network", "Wireless Network Connection"}},
        {"far past the end", 7, {"Local Area Network"}},
        {"no connection at all", 0, {}},
        {"a connection without a name", 1, {"Local Area Network", std::nullopt}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingEngine refused{c.names};
        refused.configs.GetPreferences().bExitAfterApply = 1;
        ApplyInputs inputs = kFilled;
        inputs.nConnection = c.nConnection;
        EXPECT_EQ(refused.Dialog().Apply(inputs), ExitCode::NotFound);

        EXPECT_EQ(refused.journal.Entries(), Texts{"message No network connection is selected."});
        ASSERT_EQ(refused.messages.shown.size(), 1u);
        EXPECT_EQ(refused.messages.shown[0].flags, mb::kOk | mb::kIconError);
    }
}

// Stands in for the service: journals what it is asked, opens and closes
// the progress display, and says the configuration was applied.
class CRecordingService final : public IOperationService {
public:
    explicit CRecordingService(CJournal& journal) : m_journal(journal) {}

    Outcome Apply(const std::string& name, IProgress& progress) override
    {
        m_journal.Add("service applies " + name);
        progress.Start();
        progress.Close();
        return {ExitCode::Done, {}};
    }
    Outcome Auto(IProgress&) override { return {ExitCode::DidNotWork, {}}; }

private:
    CJournal& m_journal;
};

TEST_F(ApplyConfigurationTest, ThroughTheServiceOnlyWhatIsSavedForTheSelectedConnectionIsApplied)
{
    const ApplyInputs saved = kFilled;
    ApplyInputs other = kFilled;
    other.settings.dns[2] = Ipv4Addr();
    const struct {
        const char* what;
        int nConnection;
        ApplyInputs inputs;
        bool bApplied;
    } cases[] = {
        {"saved for it", 1, saved, true},
        {"saved for another connection", 0, saved, false},
        {"not saved", 1, other, false},
        {"no connection selected", -1, saved, false},
    };
    ASSERT_EQ(engine.configs.Add("Lab", "Wireless Network Connection", saved.settings), CONFIG_DONE);
    engine.configs.GetPreferences().bExitAfterApply = 1;
    CRecordingService service(engine.journal);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        engine.journal.Clear();
        ApplyInputs inputs = c.inputs;
        inputs.nConnection = c.nConnection;
        const std::optional<ExitCode> code =
            CDialogOperations(engine.Services(), engine.window, engine.messages, &service).ApplySaved(inputs);
        EXPECT_EQ(code, c.bApplied ? std::optional(ExitCode::Done) : std::nullopt);
        const Texts applied = {"service applies Lab",
                               "disable",
                               "hide",
                               "progress start",
                               "progress close",
                               "enable",
                               "show",
                               "focus",
                               "end ok"};
        EXPECT_EQ(engine.journal.Entries(), c.bApplied ? applied : Texts{});
    }
}

} // namespace
