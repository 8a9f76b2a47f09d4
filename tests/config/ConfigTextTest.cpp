#include "config/ConfigText.h"

#include "config/ConfigFile.h"
#include "config/FieldText.h"
#include "fakes/Latin1CodePage.h"
#include "platform/SystemFileSystem.h"
#include "support/ConfigImage.h"
#include "support/SameRecord.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class ConfigTextTest : public ::testing::Test {
protected:
    void SetPreferences(const char* pszDefault, std::uint32_t dwTest, std::uint32_t nWait, std::int32_t bApply,
                        std::int32_t bAuto)
    {
        PREFERENCES& prefs = list.GetPreferences();
        prefs = {{}, dwTest, nWait, bApply, bAuto};
        CopyToField(prefs.szDefaultConnection, pszDefault);
    }

    std::vector<std::string> Order() const
    {
        std::vector<std::string> names;
        for (const CONFIGURATION* p = list.GetHead(); p; p = p->pNext)
            names.emplace_back(p->szName);
        return names;
    }

    std::unique_ptr<IFileSystem> fileSystem = std::make_unique<CSystemFileSystem>();
    CLatin1CodePage codePage;
    CConfigList list{*fileSystem, codePage};
};

TEST_F(ConfigTextTest, ReadingBackWhatWasWrittenGivesTheSameListAndPreferences)
{
    const auto at = Ipv4Addr::FromValue;
    AddAll(list, {{.name = " \"B\xC3\xBCro\" = [A]; #1 ",
                   .connection = "Local Area Network",
                   .ip = 0x0A0200C0,
                   .mask = 0x00FFFFFF,
                   .gateway = 0x010200C0,
                   .dns1 = 0x350200C0,
                   .dns2 = 0x08080808,
                   .dns3 = 0x01010101,
                   .moreAddresses = {{at(1), at(2)}, {at(3), at(4)}, {at(5), at(6)}, {at(7), at(8)}},
                   .moreGateways = {{at(9), 1}, {at(10), 9999}}},
                  {.name = "\"", .connection = "\xD0\xA1\xCE\xA9", .dhcpAddress = 1, .dhcpDns = 1, .ip = 0x0500000A}});
    SetPreferences("\xD0\xA1\xCE\xA9", 0x7F000001, 12345, 1, 1);
    std::string text;
    const auto written = WriteConfigText(list, text);
    ASSERT_FALSE(written) << written->what;

    CConfigList read{*fileSystem, codePage};
    const auto error = ReadConfigText(text, read);
    ASSERT_FALSE(error) << error->nLine << ": " << error->what;
    EXPECT_EQ(EncodeConfigFile(read, codePage), EncodeConfigFile(list, codePage));
}

TEST_F(ConfigTextTest, WritesTheDocumentedFormat)
{
    AddAll(list, {{.name = "Office",
                   .connection = "LAN",
                   .ip = 0x0A0200C0,
                   .mask = 0x00FFFFFF,
                   .gateway = 0x010200C0,
                   .dns1 = 0x350200C0,
                   .moreAddresses = {{Ipv4Addr::FromValue(0x076433C6), Ipv4Addr::FromValue(0x00FFFFFF)}},
                   .moreGateways = {{Ipv4Addr::FromValue(0x020200C0), 20}}}});
    // Any nonzero flag is yes; a wait above the maximum is written as it.
    SetPreferences("LAN", 0xC0000201, 90000, 2, 0);
    std::string text;
    ASSERT_FALSE(WriteConfigText(list, text));
    EXPECT_EQ(text, "; Tolvi configurations: edit, then read back with Tolvi.exe /import FILE\r\n"
                    "[Preferences]\r\n"
                    "Default connection = \"LAN\"\r\n"
                    "Test address = 192.0.2.1\r\n"
                    "DHCP wait = 60000\r\n"
                    "Exit after apply = yes\r\n"
                    "Exit after automatic configuration = no\r\n"
                    "\r\n"
                    "[Configuration]\r\n"
                    "Name = \"Office\"\r\n"
                    "Connection = \"LAN\"\r\n"
                    "IP address from DHCP = no\r\n"
                    "IP address = 192.0.2.10\r\n"
                    "Subnet mask = 255.255.255.0\r\n"
                    "IP address 2 = 198.51.100.7\r\n"
                    "Subnet mask 2 = 255.255.255.0\r\n"
                    "Default gateway = 192.0.2.1\r\n"
                    "Default gateway 2 = 192.0.2.2\r\n"
                    "Gateway metric 2 = 20\r\n"
                    "DNS servers from DHCP = no\r\n"
                    "DNS server 1 = 192.0.2.53\r\n"
                    "DNS server 2 =\r\n"
                    "DNS server 3 =\r\n");
}

TEST_F(ConfigTextTest, WritingRefusesAStoredTextThatALineCannotHold)
{
    AddAll(list, {{.name = "Lab"}, {.name = "Tab\there"}});
    std::string text = "kept";
    const auto error = WriteConfigText(list, text);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->nLine, 0u);
    EXPECT_EQ(error->what, "the name of configuration 2 holds a control character");
    EXPECT_EQ(text, "kept");
}

TEST_F(ConfigTextTest, ReplacesNamesInPlaceAppendsNewOnesAndKeepsPreferencesNotGiven)
{
    AddAll(list, {{.name = "A"}, {.name = "B", .ip = 1}, {.name = "C"}});
    SetPreferences("LAN", 0x7F000001, 7000, 1, 0);
    const auto error = ReadConfigText("\xEF\xBB\xBF[preferences]\n dhcp WAIT\t= 9000\n"
                                      "[Configuration]\nName = D\nConnection = LAN\n"
                                      "IP address from DHCP = yes\nDNS servers from DHCP = yes\n"
                                      "# a comment\n[Configuration]\r\nName = B\r\nConnection = \"W\"\r\n"
                                      "IP address from DHCP = NO\r\nIP address = 10.0.0.2\r\n"
                                      "DNS servers from DHCP = no\r\nDNS server 2 = 10.0.0.53\r\n"
                                      "[Configuration]\nName = E\nConnection = LAN\n"
                                      "IP address from DHCP = yes\nDNS servers from DHCP = yes\n",
                                      list);
    ASSERT_FALSE(error) << error->nLine << ": " << error->what;
    EXPECT_EQ(Order(), (std::vector<std::string>{"A", "B", "C", "D", "E"}));
    EXPECT_TRUE(SameRecord(list.Find("B"), {.name = "B", .connection = "W", .ip = 0x0200000A, .dns2 = 0x3500000A}));
    EXPECT_TRUE(SameRecord(list.Find("E"), {.name = "E", .connection = "LAN", .dhcpAddress = 1, .dhcpDns = 1}));
    const PREFERENCES& prefs = list.GetPreferences();
    EXPECT_EQ(prefs.nDhcpWait, 9000u);
    EXPECT_STREQ(prefs.szDefaultConnection, "LAN");
    EXPECT_EQ(prefs.dwTestAddress, 0x7F000001u);
    EXPECT_EQ(prefs.bExitAfterApply, 1);
}

TEST_F(ConfigTextTest, ABadTextChangesNothingAndNamesItsLine)
{
    const std::string lab = "[Configuration]\nName = Lab\nConnection = LAN\n"
                            "IP address from DHCP = yes\nDNS servers from DHCP = yes\n";
    const std::string prefs = "[Preferences]\nDHCP wait = 1000\n";
    const std::string office = "[Configuration]\nName = O\nConnection = LAN\nIP address from DHCP = no\n"
                               "DNS servers from DHCP = yes\n";
    const struct {
        std::string text;
        std::size_t nLine;
        std::string what;
    } cases[] = {
        {prefs + "Gatway = 1.2.3.4\n", 3, "unknown key 'Gatway'"},
        {lab + "IP address = 300.1.2.3\n", 6, "'300.1.2.3' is not an IP address"},
        {lab + "Subnet mask = 1.2.3\n", 6, "'1.2.3' is not an IP address"},
        {lab + "DNS server 3 = 1.2.3.4.5\n", 6, "'1.2.3.4.5' is not an IP address"},
        {"[Configuration]\nName = " + std::string(513, 'x'), 2, "the name is longer than 512 bytes in UTF-8"},
        {"[Configuration]\nName = \"\"", 2, "the name is empty"},
        {"[Configuration]\nName = < New Configuration >", 2,
         "'< New Configuration >' is the list's entry for a new configuration, not a name"},
        {lab + lab, 7, "a second configuration named 'Lab'"},
        {"; \xC0\xAF\n", 1, "text that is not UTF-8"},
        {prefs + "Default connection = \xED\xA0\x80", 3, "text that is not UTF-8"},
        {prefs + "Default connection = \xF4\x90\x80\x80", 3, "text that is not UTF-8"},
        {"Name = Lab\n" + lab, 1, "a key before the first [section]"},
        {prefs + "\n[Configuration]\nConnection = LAN\n", 4, "'Name' is missing from this configuration"},
        {lab + "[Configuration]\nName = Lab2\nConnection = LAN\nDNS servers from DHCP = yes\n", 6,
         "'IP address from DHCP' is missing from this configuration"},
        {"[Preferences]\nDHCP wait = 60001\n", 2, "the DHCP wait is longer than 60000 milliseconds"},
        {"[Preferences]\nTest address = 0.0.0.0\n", 2, "the test address cannot be empty or 0.0.0.0"},
        {prefs + "dhcp wait = 2000\n", 3, "a second 'DHCP wait' in this section"},
        {"[Prefs]\n", 1, "unknown section '[Prefs]'"},
        {prefs + "Lab\n", 3, "a line that is not a [section], a key = value or a comment"},
        {prefs + lab + "[Configuration]\nName = New\nConnection = LAN\nIP address from DHCP = maybe\n", 11,
         "'maybe' is not yes or no"},
        {office + "Subnet mask 2 = 255.0.0.0\n", 6, "'Subnet mask 2' without 'IP address 2'"},
        {office + "IP address 2 = 10.0.0.2\n", 6, "'IP address 2' without 'Subnet mask 2'"},
        {office + "IP address 3 = 10.0.0.3\nSubnet mask 3 = 255.0.0.0\n", 6, "'IP address 3' without 'IP address 2'"},
        {office + "IP address 6 = 10.0.0.6\n", 6, "unknown key 'IP address 6'"},
        {office + "Default gateway 2 = 1.1.1.2\n", 6, "'Default gateway 2' without 'Gateway metric 2'"},
        {office + "Gateway metric 3 = 0\n", 6, "'0' is not a gateway metric from 1 to 9999"},
        {office + "Gateway metric 5 = 10000\n", 6, "'10000' is not a gateway metric from 1 to 9999"},
        {lab + "IP address 2 = 1.1.1.1\nSubnet mask 2 = 1.1.1.1\n", 6, "'IP address 2' with an IP address from DHCP"},
        {lab + "Gateway metric 2 = 5\nDefault gateway 2 = 1.1.1.2\n", 7,
         "'Default gateway 2' without 'Default gateway'"},
    };
    AddAll(list, {{.name = "Lab", .ip = 0x0100000A}});
    SetPreferences("LAN", 0x7F000001, 7000, 0, 0);
    const std::vector<std::uint8_t> before = EncodeConfigFile(list, codePage);
    for (const auto& c : cases) {
        const auto error = ReadConfigText(c.text, list);
        ASSERT_TRUE(error) << c.text;
        EXPECT_EQ(error->nLine, c.nLine) << c.text;
        EXPECT_EQ(error->what, c.what) << c.text;
        EXPECT_EQ(EncodeConfigFile(list, codePage), before) << c.text;
    }
}

} // namespace
