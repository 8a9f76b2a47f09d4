#include "engine/AutoSwitch.h"

#include "fakes/FakeClock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

// "read A:198.18.5.1,198.18.5.9 B:" reads adapters A and B; "resume";
// "dark" and "lit" of the display; "begin" and "end" of own work, which may
// have put addresses in force ("end 198.18.7.1,198.18.8.1") or asked for a
// lease ("end lease"); "off" and "on"; "-" only asks. Each step then asks whether a run is due.
struct Step {
    std::uint32_t at; // ms after the scenario's start
    std::string event;
    bool bRun = false;
};

struct Scenario {
    const char* name;
    std::vector<Step> steps;
    std::uint32_t start = 0;
};

std::vector<AdapterAddressList> Adapters(const std::string& text)
{
    std::vector<AdapterAddressList> adapters;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        AdapterAddressList& adapter = adapters.emplace_back(AdapterAddressList{word.substr(0, word.find(':'))});
        std::istringstream addresses(word.substr(word.find(':') + 1));
        for (std::string address; std::getline(addresses, address, ',');)
            adapter.addresses.push_back(Ipv4Addr::Parse(address.c_str()));
    }
    return adapters;
}

OwnSettings Own(const std::string& text)
{
    OwnSettings own;
    own.bLease = text == " lease";
    std::istringstream addresses(own.bLease || text.empty() ? "" : text.substr(1));
    for (std::string address; std::getline(addresses, address, ',');)
        own.addresses.push_back(Ipv4Addr::Parse(address.c_str()));
    return own;
}

const Scenario kScenarios[] = {
    {"runs once, a quiet time after the last change of a burst",
     {{0, "read A:198.18.5.1"},
      {1000, "read A:198.18.5.1,198.18.5.9"},
      {3000, "read A:198.18.5.9"},
      {6999, "-"},
      {7000, "-", true},
      {20000, "-"}}},
    {"a new adapter with an address is a change",
     {{0, "read A:198.18.5.1"}, {1000, "read A:198.18.5.1 B:198.18.6.1"}, {5000, "-", true}}},
    {"the first read and a lost address start nothing",
     {{0, "read A:198.18.5.1,198.18.5.9"}, {1000, "read A:198.18.5.1"}, {2000, "read A: B:"}, {30000, "-"}}},
    {"changes during its own work, and those it explains for a while after, are Tolvi's own",
     {{0, "read A:198.18.5.1"},
      {100, "begin"},
      {500, "read A:198.18.7.1"},
      {1000, "end 198.18.7.1,198.18.8.1"},
      {15999, "read A:198.18.8.1"},
      {30000, "-"},
      {31000, "read A:198.18.9.1"},
      {35000, "-", true}}},
    {"an address its work does not explain is a change at once",
     {{0, "read A:198.18.5.1"},
      {100, "begin"},
      {200, "end 198.18.7.1"},
      {1000, "read A:198.18.7.1,198.18.5.9"},
      {5000, "-", true}}},
    {"after asking for a lease, any address is its own for a while",
     {{0, "read A:198.18.5.1"}, {100, "begin"}, {200, "end lease"}, {10000, "read A:169.254.7.1"}, {30000, "-"}}},
    {"a due run waits for no one: own work drops it",
     {{0, "read A:198.18.5.1"},
      {1000, "read A:198.18.5.1,198.18.5.9"},
      {4000, "begin"},
      {6000, "-"},
      {7000, "end"},
      {60000, "-"}}},
    {"a resume waits longer, and a change within it does not shorten it",
     {{0, "read A:198.18.5.1"}, {1000, "resume"}, {2000, "read A:198.18.5.9"}, {8999, "-"}, {9000, "-", true}}},
    {"a display lit after a minute dark is a resume; after less, nothing",
     {{0, "read A:198.18.5.1"},
      {1000, "dark"},
      {60999, "lit"},
      {70000, "-"},
      {71000, "dark"},
      {131000, "lit"},
      {138999, "-"},
      {139000, "-", true}}},
    {"a resume during own work is its own",
     {{0, "read A:198.18.5.1"}, {100, "begin"}, {200, "resume"}, {300, "end"}, {30000, "-"}}},
    {"switched off, changes are learnt but never run",
     {{0, "read A:198.18.5.1"},
      {1000, "read A:198.18.5.1,198.18.5.9"},
      {2000, "off"},
      {3000, "read A:198.18.5.1,198.18.5.9,198.18.5.8"},
      {4000, "resume"},
      {5000, "on"},
      {30000, "-"},
      {31000, "read A:198.18.6.1"},
      {35000, "-", true}}},
    {"the tick count wraps",
     {{0, "read A:198.18.5.1"}, {1000, "read A:198.18.5.9"}, {4999, "-"}, {5000, "-", true}},
     0xFFFFF000},
};

TEST(AutoSwitch, DecidesWhenToRunByItself)
{
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        CFakeClock clock;
        CAutoSwitch decider(clock);
        for (const Step& step : scenario.steps) {
            SCOPED_TRACE(testing::Message() << step.at << " " << step.event);
            clock.now = scenario.start + step.at;
            if (step.event.starts_with("read "))
                decider.AddressesRead(Adapters(step.event.substr(5)));
            else if (step.event == "resume")
                decider.Resumed();
            else if (step.event == "dark" || step.event == "lit")
                decider.DisplayTurned(step.event == "lit");
            else if (step.event == "begin")
                decider.BeginOwnWork();
            else if (step.event.starts_with("end"))
                decider.EndOwnWork(Own(step.event.substr(3)));
            else if (step.event == "off" || step.event == "on")
                decider.SetOn(step.event == "on");
            EXPECT_EQ(decider.TakeDueRun(), step.bRun);
        }
    }
}

TEST(AutoSwitch, OwnWorkExplainsTheStaticAddressesItSetAndLeasesItAskedFor)
{
    const ConnectionSettings dhcp;
    ConnectionSettings lab = dhcp;
    lab.bDhcpAddress = false;
    lab.ipAddress = Ipv4Addr::Parse("198.18.5.1");
    ConnectionSettings office = lab;
    office.ipAddress = Ipv4Addr::Parse("10.1.0.20");
    lab.moreAddresses = {{Ipv4Addr::Parse("198.18.6.1"), {}}};

    const OwnSettings changed = OwnSettings::Between({dhcp, lab, office}, {lab, lab, dhcp});
    EXPECT_EQ(changed.addresses, (std::vector<Ipv4Addr>{lab.ipAddress, Ipv4Addr::Parse("198.18.6.1")}));
    EXPECT_TRUE(changed.bLease);
    EXPECT_TRUE(OwnSettings::Between({lab, office}, {lab, office}).addresses.empty());
    // A connection that came or went: every one counts as set.
    EXPECT_EQ(OwnSettings::Between({lab}, {lab, office}).addresses,
              (std::vector<Ipv4Addr>{lab.ipAddress, Ipv4Addr::Parse("198.18.6.1"), office.ipAddress}));
}

} // namespace
