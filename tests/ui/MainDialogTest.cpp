// The main dialog as a real window, driven inside the test process: what it
// selects and shows, how the fields follow the user, and what it writes.
#include "MainDialogHarness.h"
#include "win32/DialogTesting.h"
#include "win32/MessageBoxAnswerer.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace {

const std::string kLan = "Local Area Network";
const std::string kLanKorean = "로컬 영역 연결";
const std::string kPlaceholder = "< New Configuration >";
constexpr int kFields[] = {IDC_IP_ADDRESS, IDC_SUBNET_MASK, IDC_GATEWAY, IDC_DNS1, IDC_DNS2, IDC_DNS3};

// The six fields as texts, and which of them take input.
struct Fields {
    std::array<std::string, 6> texts;
    std::array<bool, 6> enabled;
    bool operator==(const Fields&) const = default;
};

void PrintTo(const Fields& fields, std::ostream* os)
{
    for (std::size_t k = 0; k < 6; ++k)
        *os << (k ? " | " : "") << '"' << fields.texts[k] << '"' << (fields.enabled[k] ? "" : " (disabled)");
}

Fields FieldsOf(const CDrivenTolviDlg& d)
{
    Fields fields;
    for (std::size_t k = 0; k < 6; ++k) {
        fields.texts[k] = AddressText(d.Item(kFields[k]));
        fields.enabled[k] = ::IsWindowEnabled(d.Item(kFields[k])) != FALSE;
    }
    return fields;
}

std::string Connection(const CDrivenTolviDlg& d)
{
    return SelectedText(d.Item(IDC_COMBO_CONNECTION));
}

std::string Configuration(const CDrivenTolviDlg& d)
{
    return SelectedText(d.Item(IDC_COMBO_CONFIGURATION));
}

struct DefaultCase {
    const char* what;
    std::vector<std::optional<std::string>> names;
    std::optional<std::string> stored; // the file's default connection; no file when unset
    std::string selected;
    int selectedIndex;
    std::string saved;
};

TEST(MainDialog, StartsOnTheDefaultConnectionAndKeepsTheChoiceInTheFile)
{
    const DefaultCase cases[] = {
        {"a first run finds the wired connection", {"Wireless", kLan}, {}, kLan, 1, kLan},
        {"the later of two equal names", {kLan, "Wireless", kLan}, {}, kLan, 2, kLan},
        {"the Korean system's name", {"Wireless", kLanKorean}, {}, kLanKorean, 1, kLanKorean},
        {"the English name is looked for first", {kLanKorean, kLan}, {}, kLan, 1, kLan},
        {"a stored default wins", {kLan, "Wireless"}, "Wireless", "Wireless", 1, "Wireless"},
        {"a stored default that is gone", {"Wireless", kLan}, "Gone", "Wireless", 0, "Gone"},
        {"nothing to choose", {"Wireless", "Dial-up"}, {}, "Wireless", 0, ""},
        {"an unnamed adapter is listed and never chosen", {std::nullopt, kLan}, {}, kLan, 1, kLan},
        {"a name outside the code page, listed and kept", {"Wireless", "Сеть 2"}, "Сеть 2", "Сеть 2", 1, "Сеть 2"},
    };
    for (const DefaultCase& c : cases) {
        SCOPED_TRACE(c.what);
        CTestSystem system;
        for (const auto& name : c.names)
            system.AddConnection(name);
        if (c.stored)
            system.WriteConfig([&](CConfigList& list) {
                std::snprintf(list.GetPreferences().szDefaultConnection, kDefaultConnectionSize, "%s",
                              c.stored->c_str());
            });
        std::vector<std::string> entries;
        int selectedIndex = -1;
        std::string selected;
        RunMainDialog(system, {[&](CDrivenTolviDlg& d) {
                                   entries = ComboEntries(d.Item(IDC_COMBO_CONNECTION));
                                   selected = Connection(d);
                                   selectedIndex = static_cast<int>(
                                       ::SendMessageA(d.Item(IDC_COMBO_CONNECTION), CB_GETCURSEL, 0, 0));
                               },
                               Exit});
        std::vector<std::string> expectedEntries;
        for (const auto& name : c.names)
            expectedEntries.push_back(name.value_or("(unnamed connection)"));
        EXPECT_EQ(entries, expectedEntries);
        EXPECT_EQ(selected, c.selected);
        EXPECT_EQ(selectedIndex, c.selectedIndex);
        CConfigList saved(system.realFiles, system.codePage);
        system.ReadConfig(saved);
        EXPECT_STREQ(saved.GetPreferences().szDefaultConnection, c.saved.c_str());
    }
}

TEST(MainDialog, WithoutAnyConnectionTheFieldsAreEmptyAndApplyIsRefused)
{
    CTestSystem system;
    Fields fields;
    int selection = 0;
    std::vector<std::string> entries{"not read"};
    std::vector<MessageBoxSeen> seen;
    {
        // With no adapter the system reports no adapter information at all.
        CMessageBoxAnswerer answerer(
            {{IDOK, "Cannot get informations of network adapters."}, {IDOK, "No network connection is selected."}});
        const INT_PTR result = RunMainDialog(
            system, {[&](CDrivenTolviDlg& d) {
                         fields = FieldsOf(d);
                         entries = ComboEntries(d.Item(IDC_COMBO_CONNECTION));
                         selection = static_cast<int>(::SendMessageA(d.Item(IDC_COMBO_CONNECTION), CB_GETCURSEL, 0, 0));
                         ClickNow(d.Item(IDC_APPLY_CONFIGURATION));
                     },
                     [&](CDrivenTolviDlg& d) {
                         SaveWindowShot(d.m_hWnd, "main-no-connection");
                         Exit(d);
                     }});
        EXPECT_EQ(result, IDOK);
        seen = answerer.Seen();
    }
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(selection, CB_ERR);
    EXPECT_EQ(fields, (Fields{{}, {false, false, false, false, false, false}}));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, "No network connection is selected.");
    EXPECT_TRUE(system.processes.runs.empty());
    EXPECT_EQ(system.files.replaces, 1); // the new file with the default preferences
}

const CurrentSettings kOfficeNow{false, "10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.53"};

void AddOfficeConfigurations(CTestSystem& system)
{
    system.WriteConfig([](CConfigList& list) {
        AddStatic(list, "on A", "A", "192.168.1.10", "255.255.255.0", "192.168.1.1", "192.168.1.53");
        AddDhcp(list, "on A 2", "A 2");
        AddStatic(list, "gaps", "B", "172.16.0.2", "255.255.0.0", "0.0.0.0", "0.0.0.0", "10.1.1.2", "10.1.1.3");
        AddStatic(list, "no dns", "B", "172.16.0.3", "255.255.0.0", "172.16.0.1");
        AddDhcp(list, "elsewhere", "Elsewhere", "10.9.9.9");
        AddDhcp(list, "lower case", "a");
    });
}

// The office's settings are the ones in force.
void AddHomeAndOffice(CTestSystem& system)
{
    system.WriteConfig([](CConfigList& list) {
        AddDhcp(list, "home", kLan.c_str());
        AddStatic(list, "office", kLan.c_str(), "10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.53");
    });
}

struct ChoiceCase {
    const char* configuration;
    std::string connection;
    bool bStaticIp;
    bool bStaticDns;
    Fields fields;
};

TEST(MainDialog, ChoosingAConfigurationShowsItOnItsOwnConnection)
{
    CTestSystem system;
    system.AddConnection("A", kOfficeNow);
    system.AddConnection("A 2");
    system.AddConnection("B");
    AddOfficeConfigurations(system);
    constexpr bool on = true, off = false;
    // In this order: each starts where the one before left the connection.
    const ChoiceCase cases[] = {
        {"on A 2", "A 2", off, off, {{}, {off, off, off, off, off, off}}},
        {"on A",
         "A",
         on,
         on,
         {{"192.168.1.10", "255.255.255.0", "192.168.1.1", "192.168.1.53", "", ""}, {on, on, on, on, on, off}}},
        {"elsewhere", "A", off, on, {{"", "", "", "10.9.9.9", "", ""}, {off, off, off, on, on, off}}},
        {"gaps",
         "B",
         on,
         on,
         {{"172.16.0.2", "255.255.0.0", "", "10.1.1.2", "10.1.1.3", ""}, {on, on, on, on, on, on}}},
        {"lower case", "B", off, off, {{}, {off, off, off, off, off, off}}},
        {"no dns", "B", on, on, {{"172.16.0.3", "255.255.0.0", "172.16.0.1", "", "", ""}, {on, on, on, on, off, off}}},
    };
    std::vector<CDrivenTolviDlg::Step> steps;
    for (const ChoiceCase& c : cases) {
        steps.push_back([&c](CDrivenTolviDlg& d) {
            SCOPED_TRACE(c.configuration);
            ChooseEntry(d.m_hWnd, IDC_COMBO_CONFIGURATION, c.configuration);
            EXPECT_EQ(Connection(d), c.connection);
            EXPECT_EQ(Configuration(d), c.configuration);
            EXPECT_EQ(IsChecked(d.Item(IDC_RADIO_IP_STATIC)), c.bStaticIp);
            EXPECT_EQ(IsChecked(d.Item(IDC_RADIO_IP_DHCP)), !c.bStaticIp);
            EXPECT_EQ(IsChecked(d.Item(IDC_RADIO_DNS_STATIC)), c.bStaticDns);
            EXPECT_EQ(FieldsOf(d), c.fields);
            if (std::strcmp(c.configuration, "on A") == 0)
                SaveWindowShot(d.m_hWnd, "main-configuration");
            if (std::strcmp(c.configuration, "gaps") == 0)
                SaveWindowShot(d.m_hWnd, "main-specific-dns");
        });
    }
    // The placeholder leaves everything as it is.
    steps.push_back([](CDrivenTolviDlg& d) {
        const Fields before = FieldsOf(d);
        ChooseEntry(d.m_hWnd, IDC_COMBO_CONFIGURATION, kPlaceholder);
        EXPECT_EQ(FieldsOf(d), before);
        EXPECT_EQ(Connection(d), "B");
    });
    steps.push_back(Exit);
    RunMainDialog(system, steps);
}

TEST(MainDialog, ShowsTheCurrentSettingsOfTheConnectionChosen)
{
    CTestSystem system;
    system.AddConnection("A", kOfficeNow);
    system.AddConnection("A 2", {true, "", "", "", ""});
    system.AddConnection("B", {false, "172.16.0.3", "255.255.0.0", "172.16.0.1", ""});
    AddOfficeConfigurations(system);
    constexpr bool on = true, off = false;
    RunMainDialog(system, {[&](CDrivenTolviDlg& d) {
                               EXPECT_EQ(Connection(d), "A");
                               EXPECT_TRUE(IsChecked(d.Item(IDC_RADIO_IP_STATIC)));
                               EXPECT_EQ(FieldsOf(d),
                                         (Fields{{"10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.53", "", ""},
                                                 {on, on, on, on, on, off}}));
                               EXPECT_EQ(Configuration(d), kPlaceholder);
                               SaveWindowShot(d.m_hWnd, "main-connection");
                               ChooseEntry(d.m_hWnd, IDC_COMBO_CONNECTION, "A 2");
                               EXPECT_TRUE(IsChecked(d.Item(IDC_RADIO_IP_DHCP)));
                               EXPECT_TRUE(IsChecked(d.Item(IDC_RADIO_DNS_DHCP)));
                               EXPECT_EQ(FieldsOf(d), (Fields{{}, {off, off, off, off, off, off}}));
                               EXPECT_EQ(Configuration(d), "on A 2"); // equal to the current settings
                               ChooseEntry(d.m_hWnd, IDC_COMBO_CONNECTION, "B");
                               EXPECT_EQ(Configuration(d), "no dns");
                           },
                           Exit});
}

TEST(MainDialog, EditingTheFieldsSelectsTheConfigurationTheyEqual)
{
    CTestSystem system;
    system.AddConnection(kLan, kOfficeNow);
    AddHomeAndOffice(system);
    Fields dhcpFields;
    RunMainDialog(system, {[](CDrivenTolviDlg& d) {
                               EXPECT_EQ(Configuration(d), "office");
                               SetAddressText(d.m_hWnd, IDC_IP_ADDRESS, "10.0.0.6");
                               EXPECT_EQ(Configuration(d), kPlaceholder);
                               SetAddressText(d.m_hWnd, IDC_IP_ADDRESS, "10.0.0.5");
                               EXPECT_EQ(Configuration(d), "office");
                               SetAddressText(d.m_hWnd, IDC_DNS1, "10.0.0.54");
                               EXPECT_EQ(Configuration(d), kPlaceholder);
                               SetAddressText(d.m_hWnd, IDC_DNS1, "10.0.0.53");
                               EXPECT_EQ(Configuration(d), "office");
                               Click(d.Item(IDC_RADIO_IP_DHCP));
                           },
                           [&](CDrivenTolviDlg& d) {
                               // The values stay, out of reach.
                               dhcpFields = FieldsOf(d);
                               EXPECT_EQ(Configuration(d), kPlaceholder); // its DNS servers are still specific
                               Click(d.Item(IDC_RADIO_DNS_DHCP));
                           },
                           [](CDrivenTolviDlg& d) {
                               EXPECT_EQ(Configuration(d), "home");
                               EXPECT_EQ(FieldsOf(d).texts[0], "10.0.0.5");
                               Click(d.Item(IDC_RADIO_IP_STATIC));
                           },
                           [](CDrivenTolviDlg& d) {
                               EXPECT_TRUE(::IsWindowEnabled(d.Item(IDC_IP_ADDRESS)));
                               EXPECT_EQ(Configuration(d), kPlaceholder);
                               Click(d.Item(IDC_RADIO_DNS_STATIC));
                           },
                           [](CDrivenTolviDlg& d) {
                               EXPECT_EQ(Configuration(d), "office");
                               Exit(d);
                           }});
    EXPECT_EQ(dhcpFields.texts[0], "10.0.0.5");
    EXPECT_FALSE(dhcpFields.enabled[0] || dhcpFields.enabled[1] || dhcpFields.enabled[2]);
    EXPECT_TRUE(dhcpFields.enabled[3]);
}

TEST(MainDialog, DnsFieldsCloseUpTheirGapsAndTakeInputInOrder)
{
    CTestSystem system;
    system.AddConnection(kLan, {false, "10.0.0.5", "255.0.0.0", "10.0.0.1", "10.1.1.1,10.1.1.2,10.1.1.3"});
    constexpr bool on = true, off = false;
    const auto dns = [](const CDrivenTolviDlg& d) {
        const Fields fields = FieldsOf(d);
        return Fields{{"", "", "", fields.texts[3], fields.texts[4], fields.texts[5]},
                      {false, false, false, fields.enabled[3], fields.enabled[4], fields.enabled[5]}};
    };
    const auto dnsFields = [](std::string a, std::string b, std::string c, bool e1, bool e2, bool e3) {
        return Fields{{"", "", "", a, b, c}, {false, false, false, e1, e2, e3}};
    };
    RunMainDialog(system, {[&](CDrivenTolviDlg& d) {
                               EXPECT_EQ(dns(d), dnsFields("10.1.1.1", "10.1.1.2", "10.1.1.3", on, on, on));
                               SetAddressText(d.m_hWnd, IDC_DNS1, "");
                               EXPECT_EQ(dns(d), dnsFields("10.1.1.2", "10.1.1.3", "", on, on, on));
                               SetAddressText(d.m_hWnd, IDC_DNS2, "");
                               EXPECT_EQ(dns(d), dnsFields("10.1.1.2", "", "", on, on, off));
                               SetAddressText(d.m_hWnd, IDC_DNS2, "10.1.1.7");
                               SetAddressText(d.m_hWnd, IDC_DNS3, "10.1.1.8");
                               SetAddressText(d.m_hWnd, IDC_DNS2, "0.0.0.0");
                               EXPECT_EQ(dns(d), dnsFields("10.1.1.2", "10.1.1.8", "", on, on, on));
                               SetAddressText(d.m_hWnd, IDC_DNS1, "");
                               SetAddressText(d.m_hWnd, IDC_DNS1, "");
                               EXPECT_EQ(dns(d), dnsFields("", "", "", on, off, off));
                               SetAddressText(d.m_hWnd, IDC_DNS1, "10.2.2.2");
                               SetAddressText(d.m_hWnd, IDC_DNS2, "10.2.2.3");
                               Click(d.Item(IDC_RADIO_DNS_DHCP));
                           },
                           [&](CDrivenTolviDlg& d) {
                               // Out of reach, contents kept.
                               EXPECT_EQ(dns(d), dnsFields("10.2.2.2", "10.2.2.3", "", off, off, off));
                               Click(d.Item(IDC_RADIO_DNS_STATIC));
                           },
                           [&](CDrivenTolviDlg& d) {
                               EXPECT_EQ(dns(d), dnsFields("10.2.2.2", "10.2.2.3", "", on, on, on));
                               Exit(d);
                           }});
}

TEST(MainDialog, TypingFourZeroOctetsLeavesTheFieldEmpty)
{
    CTestSystem system;
    system.AddConnection(kLan, kOfficeNow);
    const int controls[] = {IDC_IP_ADDRESS, IDC_SUBNET_MASK, IDC_GATEWAY};
    std::vector<CDrivenTolviDlg::Step> steps;
    for (const int nID : controls) {
        steps.push_back([nID](CDrivenTolviDlg& d) {
            ::SendMessageA(d.Item(nID), IPM_CLEARADDRESS, 0, 0);
            Type(d.Item(nID), "0.0.0.0");
            PostKey(AddressField(d.Item(nID), 3), VK_TAB);
        });
        steps.push_back([nID](CDrivenTolviDlg& d) {
            SCOPED_TRACE(nID);
            EXPECT_EQ(AddressText(d.Item(nID)), "");
            EXPECT_TRUE(::SendMessageA(d.Item(nID), IPM_ISBLANK, 0, 0));
            ::SendMessageA(d.Item(nID), IPM_CLEARADDRESS, 0, 0);
            Type(d.Item(nID), "192.168.100.20");
            PostKey(AddressField(d.Item(nID), 3), VK_TAB);
        });
        steps.push_back([nID](CDrivenTolviDlg& d) { EXPECT_EQ(AddressText(d.Item(nID)), "192.168.100.20") << nID; });
    }
    steps.push_back(Exit);
    RunMainDialog(system, steps);
}

// The DNS fields are written back on every field change; typing must still
// give the address typed and open the next field.
TEST(MainDialog, TypingDnsServersOpensTheNextField)
{
    CTestSystem system;
    system.AddConnection(kLan, {false, "10.0.0.5", "255.0.0.0", "10.0.0.1", ""});
    RunMainDialog(system, {[](CDrivenTolviDlg& d) {
                               EXPECT_FALSE(::IsWindowEnabled(d.Item(IDC_DNS2)));
                               Type(d.Item(IDC_DNS1), "10.1.1.1");
                               PostKey(AddressField(d.Item(IDC_DNS1), 3), VK_TAB);
                           },
                           [](CDrivenTolviDlg& d) {
                               EXPECT_EQ(AddressText(d.Item(IDC_DNS1)), "10.1.1.1");
                               EXPECT_TRUE(::IsWindowEnabled(d.Item(IDC_DNS2)));
                               EXPECT_FALSE(::IsWindowEnabled(d.Item(IDC_DNS3)));
                               Type(d.Item(IDC_DNS2), "192.168.100.2");
                               PostKey(AddressField(d.Item(IDC_DNS2), 3), VK_TAB);
                           },
                           [](CDrivenTolviDlg& d) {
                               EXPECT_EQ(AddressText(d.Item(IDC_DNS1)), "10.1.1.1");
                               EXPECT_EQ(AddressText(d.Item(IDC_DNS2)), "192.168.100.2");
                               EXPECT_TRUE(::IsWindowEnabled(d.Item(IDC_DNS3)));
                               Exit(d);
                           }});
}

TEST(MainDialog, EnterMovesOnLikeTabAndEscapeClosesTheDialog)
{
    CTestSystem system;
    system.AddConnection(kLan, kOfficeNow);
    int nFocusAfterEnter = 0;
    int nFocusAfterComboEnter = 0;
    bool bOpenAfterEnter = false;
    const INT_PTR result = RunMainDialog(system, {[](CDrivenTolviDlg& d) {
                                                      ::SetFocus(AddressField(d.Item(IDC_IP_ADDRESS), 1));
                                                      PostKey(AddressField(d.Item(IDC_IP_ADDRESS), 1), VK_RETURN);
                                                  },
                                                  [&](CDrivenTolviDlg& d) {
                                                      // Focus is in a field, a child of its control.
                                                      nFocusAfterEnter = ::GetDlgCtrlID(::GetParent(::GetFocus()));
                                                      bOpenAfterEnter = ::IsWindowVisible(d.m_hWnd) != FALSE;
                                                      ::SetFocus(d.Item(IDC_COMBO_CONNECTION));
                                                      PostKey(d.Item(IDC_COMBO_CONNECTION), VK_RETURN);
                                                  },
                                                  [&](CDrivenTolviDlg&) {
                                                      nFocusAfterComboEnter = ::GetDlgCtrlID(::GetFocus());
                                                      PostKey(::GetFocus(), VK_ESCAPE);
                                                  }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(bOpenAfterEnter);
    EXPECT_EQ(nFocusAfterEnter, IDC_SUBNET_MASK);          // the next control in tab order
    EXPECT_EQ(nFocusAfterComboEnter, IDC_RADIO_IP_STATIC); // the checked button of the next group
    EXPECT_EQ(system.files.replaces, 1);                   // closing by Esc still saves
}

TEST(MainDialog, EnterOnAButtonPressesIt)
{
    CTestSystem system;
    system.AddConnection(kLan, kOfficeNow);
    const INT_PTR result = RunMainDialog(system, {[](CDrivenTolviDlg& d) {
                                             ::SetFocus(d.Item(IDC_EXIT));
                                             PostKey(d.Item(IDC_EXIT), VK_RETURN);
                                         }});
    EXPECT_EQ(result, IDOK);
}

TEST(MainDialog, WritesTheFileOnceAtExitAndOnlyWhenItChanged)
{
    CTestSystem system;
    system.AddConnection(kLan, kOfficeNow);
    RunMainDialog(system, {Exit});
    EXPECT_EQ(system.files.replaces, 1);
    const std::vector<std::uint8_t> first = ReadBytes(system.ConfigPath());

    system.files.replaces = 0;
    RunMainDialog(system, {[](CDrivenTolviDlg& d) { SetAddressText(d.m_hWnd, IDC_IP_ADDRESS, "10.0.0.99"); }, Exit});
    EXPECT_EQ(system.files.replaces, 0); // the fields are not stored
    EXPECT_EQ(ReadBytes(system.ConfigPath()), first);
}

TEST(MainDialog, TellsTheUserWhenTheFileCouldNotBeWritten)
{
    CTestSystem system;
    system.AddConnection(kLan, kOfficeNow);
    system.files.failReplace = true;
    std::vector<MessageBoxSeen> seen;
    {
        CMessageBoxAnswerer answerer({{IDOK, "Tolvi.cfg"}});
        RunMainDialog(system, {Exit});
        seen = answerer.Seen();
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].text.find(system.files.ExecutableDirectory() + "Tolvi.cfg"), std::string::npos) << seen[0].text;
    EXPECT_NE(seen[0].text.find("not saved"), std::string::npos) << seen[0].text;
    EXPECT_TRUE(seen[0].hasIcon);
    EXPECT_FALSE(seen[0].hasCancel);
}

TEST(MainDialog, ApplyRunsTheShownSettingsOnTheSelectedConnection)
{
    CTestSystem system;
    system.AddConnection("A", kOfficeNow);
    system.AddConnection("A 2");
    system.AddConnection("Сеть 2"); // a name outside the system's code page
    AddOfficeConfigurations(system);
    system.WriteConfig([](CConfigList& list) {
        list.GetPreferences().bExitAfterApply = 1;
        AddStatic(list, "lab", "Сеть 2", "192.168.7.10", "255.255.255.0", "192.168.7.1", "192.168.7.53",
                  "192.168.7.54");
    });
    const INT_PTR result = RunMainDialog(system, {[](CDrivenTolviDlg& d) {
                                             ChooseEntry(d.m_hWnd, IDC_COMBO_CONFIGURATION, "lab");
                                             ClickNow(d.Item(IDC_APPLY_CONFIGURATION));
                                         }});
    EXPECT_EQ(result, IDOK); // ended by itself after applying
    std::vector<std::string> commands;
    for (const auto& run : system.processes.runs)
        commands.push_back(run.parameters);
    EXPECT_EQ(commands, (std::vector<std::string>{
                            "interface ip set address name=\"Сеть 2\" source=static addr=192.168.7.10 "
                            "mask=255.255.255.0 gateway=192.168.7.1 gwmetric=1",
                            "interface ip set dns name=\"Сеть 2\" source=static addr=192.168.7.53 register=PRIMARY",
                            "interface ip add dns name=\"Сеть 2\" addr=192.168.7.54 index=2",
                        }));
}

// The fake netsh does to the registry what netsh does; the dialog then reads
// the connection back. Exit after applying is set throughout.
TEST(MainDialog, ApplyIsJudgedByWhatTheConnectionHasAfterwards)
{
    const struct {
        const char* what;
        const char* configuration;
        std::string refuse;
        std::vector<std::string> messages; // none: "Done.", and the program ends
    } cases[] = {
        {"netsh exits 1 as DHCP is already on, yet the settings are as asked", "home", "", {}},
        {"the DNS servers are refused",
         "lab",
         " dns ",
         {"The settings of \"A\" did not take:\nDNS servers: asked 192.168.7.53, 192.168.7.54, has none\n\n"
          "netsh said: The requested operation requires elevation (Run as administrator)."}},
        {"every command is refused",
         "lab",
         "interface",
         {"The settings of \"A\" did not take:\nIP address: asked 192.168.7.10, has DHCP\nDNS servers: asked "
          "192.168.7.53, 192.168.7.54, has DHCP\n\nnetsh said: The requested operation requires elevation (Run as "
          "administrator)."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CTestSystem system;
        system.AddConnection("A");
        system.processes.refuse = c.refuse;
        system.WriteConfig([](CConfigList& list) {
            list.GetPreferences().bExitAfterApply = 1;
            AddDhcp(list, "home", "A");
            AddStatic(list, "lab", "A", "192.168.7.10", "255.255.255.0", "192.168.7.1", "192.168.7.53", "192.168.7.54");
        });
        bool bStillOpen = false;
        std::vector<MessageBoxSeen> seen;
        {
            CMessageBoxAnswerer answerer({{IDOK, "did not take"}}, c.messages.empty() ? 1000 : 15000);
            RunMainDialog(system, {[&](CDrivenTolviDlg& d) {
                                       ChooseEntry(d.m_hWnd, IDC_COMBO_CONFIGURATION, c.configuration);
                                       ClickNow(d.Item(IDC_APPLY_CONFIGURATION));
                                   },
                                   // Never reached when the apply ended the program.
                                   [&](CDrivenTolviDlg& d) {
                                       bStillOpen = true;
                                       Exit(d);
                                   }});
            seen = answerer.Seen();
        }
        std::vector<std::string> texts;
        for (const MessageBoxSeen& box : seen) {
            texts.push_back(box.text);
            EXPECT_TRUE(box.hasIcon);
        }
        EXPECT_EQ(texts, c.messages);
        EXPECT_EQ(bStillOpen, !c.messages.empty());
    }
}

TEST(MainDialog, AutomaticConfigurationShowsTheConnectionAgainWhenItEnds)
{
    CTestSystem system;
    system.AddConnection(kLan, kOfficeNow);
    AddHomeAndOffice(system);
    // A netsh that changes nothing: what shows at the end is what the
    // connection has, not what was typed.
    system.processes.pNetshRegistry = nullptr;
    std::vector<MessageBoxSeen> seen;
    {
        CMessageBoxAnswerer answerer({{IDOK, "Can't find any appropriate Configuration."}}, 15000);
        RunMainDialog(system, {[](CDrivenTolviDlg& d) {
                          SetAddressText(d.m_hWnd, IDC_IP_ADDRESS, "10.0.0.77");
                          EXPECT_EQ(Configuration(d), kPlaceholder);
                          ClickNow(d.Item(IDC_AUTO_CONFIGURATION));
                          // The current settings again, and the box refilled to match them.
                          EXPECT_TRUE(::IsWindowVisible(d.m_hWnd));
                          EXPECT_EQ(AddressText(d.Item(IDC_IP_ADDRESS)), "10.0.0.5");
                          EXPECT_EQ(Configuration(d), "office");
                          Exit(d);
                      }});
        seen = answerer.Seen();
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Can't find any appropriate Configuration.");
    ASSERT_EQ(system.processes.runs.size(), 2u); // office, then home by DHCP; no DNS for either
    EXPECT_NE(system.processes.runs[0].parameters.find("addr=10.0.0.5 "), std::string::npos);
    EXPECT_NE(system.processes.runs[1].parameters.find("source=dhcp"), std::string::npos);
}

struct CommandLineCase {
    const char* commandLine;
    bool bAuto;
};

TEST(MainDialog, AutoAnywhereOnTheCommandLineConfiguresAndEnds)
{
    const CommandLineCase cases[] = {
        {"Tolvi.exe /auto", true},      {"\"C:\\Tools/autostart\\Tolvi.exe\"", true}, // inside the path counts too
        {"Tolvi.exe /automatic", true}, {"Tolvi.exe /AUTO", false},
        {"Tolvi.exe -auto", false},
    };
    for (const CommandLineCase& c : cases) {
        SCOPED_TRACE(c.commandLine);
        CTestSystem system;
        system.commandLine = c.commandLine;
        system.AddConnection(kLan, kOfficeNow);
        std::vector<MessageBoxSeen> seen;
        bool bStayedOpen = false;
        {
            CMessageBoxAnswerer answerer({{IDOK, "No configuration defined."}}, c.bAuto ? 5000 : 300);
            RunMainDialog(system, {[&](CDrivenTolviDlg& d) {
                              bStayedOpen = true;
                              Exit(d);
                          }});
            seen = answerer.Seen();
        }
        EXPECT_EQ(bStayedOpen, !c.bAuto);
        ASSERT_EQ(seen.size(), c.bAuto ? 1u : 0u);
        if (c.bAuto) {
            EXPECT_EQ(seen[0].text, "No configuration defined.");
        }
    }
}

TEST(MainDialog, TheSystemMenuOpensTheAboutBox)
{
    CTestSystem system;
    system.AddConnection(kLan, kOfficeNow);
    std::string itemText;
    HWND hAbout = nullptr;
    std::string aboutTitle;
    RunMainDialog(system, {[&](CDrivenTolviDlg& d) {
                               char text[64] = {};
                               ::GetMenuStringA(::GetSystemMenu(d.m_hWnd, FALSE), IDM_ABOUTBOX, text, sizeof text,
                                                MF_BYCOMMAND);
                               itemText = text;
                               d.PostMessage(WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3);
                           },
                           [&](CDrivenTolviDlg& d) {
                               hAbout = ::GetLastActivePopup(d.m_hWnd);
                               aboutTitle = CWnd::TextOf(hAbout);
                               EXPECT_FALSE(::IsWindowEnabled(d.m_hWnd)); // modal over the main dialog
                               SaveWindowShot(hAbout, "about");
                               ::PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
                           },
                           [&](CDrivenTolviDlg& d) {
                               EXPECT_FALSE(::IsWindow(hAbout));
                               Exit(d);
                           }});
    EXPECT_EQ(itemText, "&About Tolvi...");
    EXPECT_EQ(aboutTitle, "About Tolvi");
}

} // namespace
