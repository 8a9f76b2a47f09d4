#include "engine/TrayOperations.h"
#include "engine/RecordingEngine.h"
#include "engine/TrayMenu.h"
#include "support/NetworkTestValues.h"
#include "support/TestSettings.h"

#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kLan = "Local Area Network";
constexpr const char* kWlan = "Wireless Network Connection";
const ConnectionSettings kLab =
    Settings(0, 0, Ip(198, 18, 1, 10), Ip(255, 255, 255, 0), Ip(198, 18, 1, 1), Ip(198, 18, 1, 53), 0, 0);
constexpr const char* kLabApplied = "address 0 198.18.1.10 255.255.255.0 198.18.1.1";

// Lab and its copy on the wired connection, Away on one this computer
// lacks, Home by DHCP on the wireless one; exit preferences on, which the
// tray never follows.
struct TrayEngine : RecordingEngine {
    TrayEngine() : RecordingEngine({kLan, kWlan})
    {
        configs.GetPreferences().bExitAfterApply = 1;
        configs.GetPreferences().bExitAfterAuto = 1;
        EXPECT_EQ(configs.Add("Lab", kLan, kLab), CONFIG_DONE);
        EXPECT_EQ(configs.Add("Lab copy", kLan, kLab), CONFIG_DONE);
        EXPECT_EQ(configs.Add("Away", "Bluetooth Network", kLab), CONFIG_DONE);
        EXPECT_EQ(configs.Add("Home", kWlan, ConnectionSettings{}), CONFIG_DONE);
    }
};

TEST(Tray, OutcomesBecomeOneNoticeAndNeverABoxOrTheEnd)
{
    const struct {
        const char* what;
        bool bAuto, bAsked, bCurrentWorks, bLabWorks, bRefused;
        std::optional<std::string> text; // the notice's first line
        unsigned icon;
    } cases[] = {
        {"Lab", false, true, false, false, false, "Configuration 'Lab' was applied to \"Local Area Network\".",
         mb::kIconInformation},
        {"Lab", false, true, false, false, true,
         "The settings of \"Local Area Network\" did not take:", mb::kIconError},
        {"lab", false, true, false, false, false, "There is no configuration named 'lab'.", mb::kIconError},
        {"Away", false, true, false, false, false,
         "The configuration 'Away' is for the connection 'Bluetooth Network', which this computer does not have.",
         mb::kIconError},
        {"asked, current works", true, true, true, false, false, "The current settings work: nothing was changed.",
         mb::kIconInformation},
        {"by itself, current works", true, false, true, false, false, std::nullopt, 0},
        {"by itself, Lab works", true, false, false, true, false,
         "Configuration 'Lab' works on \"Local Area Network\".", mb::kIconInformation},
        {"by itself, nothing works", true, false, false, false, false, "Can't find any appropriate Configuration.",
         mb::kIconError},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TrayEngine engine;
        engine.connections.refused = c.bRefused ? std::vector<std::string>{kLabApplied} : std::vector<std::string>{};
        engine.probe.bCurrentWorks = c.bCurrentWorks;
        engine.probe.workingAddresses = c.bLabWorks ? std::set<std::string>{kLabApplied} : std::set<std::string>{};
        CTrayOperations operations(engine.Services());
        const std::optional<Notice> notice = c.bAuto ? operations.Auto(c.bAsked) : operations.Apply(c.what);

        ASSERT_EQ(notice.has_value(), c.text.has_value());
        if (notice) {
            EXPECT_EQ(notice->text.substr(0, notice->text.find('\n')), *c.text);
            EXPECT_EQ(notice->icon, c.icon);
        }
    }
}

TEST(Tray, MenuChecksTheFirstMatchOfEachConnectionAndTheTipNamesThePreferredOne)
{
    TrayEngine engine;
    engine.connections.inForce = {kLab, ConnectionSettings{}};
    const std::vector<TrayMenuEntry> entries = TrayMenuEntries(engine.configs, engine.connections);
    ASSERT_EQ(entries.size(), 4u);
    const struct {
        const char* name;
        bool bChecked, bEnabled;
    } expected[] = {{"Lab", true, true}, {"Lab copy", false, true}, {"Away", false, false}, {"Home", true, true}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].name, expected[i].name);
        EXPECT_EQ(entries[i].bChecked, expected[i].bChecked) << expected[i].name;
        EXPECT_EQ(entries[i].bEnabled, expected[i].bEnabled) << expected[i].name;
    }

    EXPECT_EQ(TrayTip(engine.configs, engine.connections), "Tolvi - Local Area Network: 198.18.1.10");
    std::snprintf(engine.configs.GetPreferences().szDefaultConnection, kDefaultConnectionSize, "%s", kWlan);
    EXPECT_EQ(TrayTip(engine.configs, engine.connections), "Tolvi - Wireless Network Connection: DHCP");
    engine.connections.names = {std::nullopt};
    EXPECT_EQ(TrayTip(engine.configs, engine.connections), "Tolvi - no network connection");
}

} // namespace
