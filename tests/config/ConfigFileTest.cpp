#include "config/ConfigFile.h"
#include "config/ConfigList.h"
#include "support/TestSettings.h"

#include "fakes/FakeClock.h"
#include "fakes/Latin1CodePage.h"
#include "platform/SystemFileSystem.h"
#include "support/ConfigImage.h"
#include "support/ForwardingFileSystem.h"
#include "support/SameRecord.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

const std::vector<TestRecord> kRecords = {
    {.name = "Office", .ip = 0x0A00A8C0, .mask = 0x00FFFFFF, .gateway = 0x0100A8C0, .dns1 = 0x0200A8C0},
    {.name = "Lab", .connection = "W\xC3\xA9", .dhcpAddress = 1, .dns1 = 0x01010101, .dns2 = 0x02020202, .dns3 = 3},
    {.name = "Home", .dhcpAddress = 1, .dhcpDns = 1, .ip = 0x6401A8C0},
};

class ConfigFileTest : public ::testing::Test {
protected:
    Names NamesOf(const CConfigList& list) const
    {
        Names names;
        for (const CONFIGURATION* p = list.GetHead(); p; p = p->pNext)
            names.emplace_back(p->szName);
        return names;
    }

    // Writes the file and dates it in the past, so a rewrite would show.
    void Plant(const std::vector<std::uint8_t>& bytes)
    {
        WriteBytes(path, bytes);
        fs::last_write_time(path, kPlanted);
    }

    bool Untouched(const std::vector<std::uint8_t>& bytes) const
    {
        return ReadBytes(path) == bytes && fs::last_write_time(path) == kPlanted;
    }

    // Whole seconds, which every file system keeps exactly.
    const fs::file_time_type kPlanted =
        std::chrono::floor<std::chrono::seconds>(fs::file_time_type::clock::now() - std::chrono::hours(24 * 400));
    std::unique_ptr<IFileSystem> system = std::make_unique<CSystemFileSystem>();
    CFakeClock clock;
    CLatin1CodePage codePage;
    CTempDir dir;
    const std::string path = dir.File("Tolvi.cfg");
};

TEST_F(ConfigFileTest, AFileWithoutConfigurationsIsTheHeaderAlone)
{
    CConfigList list{*system, codePage};
    list.SetDefaultPreferences();
    EXPECT_EQ(list.Save(path), SaveResult::Written);
    const auto bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 540u);
    EXPECT_EQ(GetU32(bytes, 0), 1u);
    EXPECT_EQ(GetU32(bytes, 524), 7000u);
    EXPECT_EQ(GetU32(bytes, 536), 0u);
}

TEST_F(ConfigFileTest, WritesEveryFieldAtItsOffset)
{
    CConfigList list{*system, codePage};
    PREFERENCES& prefs = list.GetPreferences();
    std::strcpy(prefs.szDefaultConnection, "Local Area Network");
    prefs.dwTestAddress = 0x0A010203; // 10.1.2.3 in control order
    prefs.nDhcpWait = 4000;
    prefs.bExitAfterApply = 1;
    prefs.bExitAfterAuto = -1;
    AddAll(list, kRecords);
    ASSERT_EQ(list.Save(path), SaveResult::Written);

    const auto bytes = ReadBytes(path);
    EXPECT_EQ(bytes, MakeConfigFile({"Local Area Network", 0x0A010203, 4000, 1, -1}, kRecords));
    // 192.168.0.10 reads in dotted order in the first record; the test
    // address in reverse.
    ASSERT_EQ(bytes.size(), 540u + 3 * 1068u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 540 + 1044, bytes.begin() + 540 + 1048),
              (std::vector<std::uint8_t>{0xC0, 0xA8, 0x00, 0x0A}));
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 520, bytes.begin() + 524),
              (std::vector<std::uint8_t>{0x03, 0x02, 0x01, 0x0A}));
    EXPECT_EQ(bytes[540 + 1068 + 521 + 1], 0xE9) << "the second connection's last letter in Latin-1";
}

TEST_F(ConfigFileTest, WhatVersion1CannotHoldIsWrittenAsVersion2AndReadBack)
{
    std::vector<TestRecord> records = kRecords;
    const auto at = Ipv4Addr::FromValue;
    records[0].moreAddresses = {{at(0x0B00A8C0), at(0x00FFFFFF)}, {at(0x0A0010AC), at(0x0000F0FF)}};
    records[0].moreGateways = {{at(0x0200A8C0), 9999}, {at(0x0300A8C0), 1}};
    records[1].name = "\xD0\xA1\xD0\xB5\xD1\x82\xD1\x8C 2";
    CConfigList list{*system, codePage};
    list.GetPreferences() = {"W\xC3\xA9", 0x7F000001, 7000, 0, 0};
    AddAll(list, records);
    ASSERT_EQ(list.Save(path), SaveResult::Written);
    EXPECT_EQ(ReadBytes(path), MakeConfigFile({"W\xC3\xA9"}, records, 2));
    CConfigList reread{*system, codePage};
    ASSERT_EQ(reread.Load(path), LoadResult::Loaded);
    for (const TestRecord& r : records)
        EXPECT_TRUE(SameRecord(reread.Find(r.name.c_str()), r));
}

TEST_F(ConfigFileTest, LoadsWhatTheFileHolds)
{
    Plant(MakeConfigFile({"Wireless", 0x7F000002, 1500, 1, 0}, kRecords));
    CConfigList list{*system, codePage};
    EXPECT_EQ(list.Load(path), LoadResult::Loaded);
    const PREFERENCES& prefs = list.GetPreferences();
    EXPECT_STREQ(prefs.szDefaultConnection, "Wireless");
    EXPECT_EQ(prefs.dwTestAddress, 0x7F000002u);
    EXPECT_EQ(prefs.nDhcpWait, 1500u);
    EXPECT_EQ(prefs.bExitAfterApply, 1);
    EXPECT_EQ(prefs.bExitAfterAuto, 0);
    EXPECT_EQ(NamesOf(list), (Names{"Office", "Lab", "Home"}));
    for (const TestRecord& r : kRecords)
        EXPECT_TRUE(SameRecord(list.Find(r.name.c_str()), r));
}

TEST_F(ConfigFileTest, AMissingFileGivesTheDefaultsAndIsCreatedAtSave)
{
    CConfigList list{*system, codePage};
    EXPECT_EQ(list.Load(path), LoadResult::Missing);
    const PREFERENCES& prefs = list.GetPreferences();
    EXPECT_STREQ(prefs.szDefaultConnection, "");
    EXPECT_EQ(prefs.dwTestAddress, kDefaultTestAddress);
    EXPECT_EQ(prefs.nDhcpWait, 7000u);
    EXPECT_EQ(prefs.bExitAfterApply, 0);
    EXPECT_EQ(prefs.bExitAfterAuto, 0);
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_EQ(list.Save(path), SaveResult::Written);
    EXPECT_EQ(ReadBytes(path).size(), 540u);
    EXPECT_EQ(dir.Entries(), (Names{"Tolvi.cfg"}));
}

TEST_F(ConfigFileTest, WithoutAPathTheFileBesideTheExecutableIsUsed)
{
    Plant(MakeConfigFile({}, kRecords));
    CRelocatedFileSystem relocated(*system, (dir.Path() / "").string());
    CConfigList list{relocated, codePage};
    EXPECT_EQ(list.Load(clock), LoadResult::Loaded);
    EXPECT_EQ(list.GetCount(), 3u);
    list.Remove("Lab");
    EXPECT_EQ(list.Save(), SaveResult::Written);
    EXPECT_EQ(GetU32(ReadBytes(path), 536), 2u);
}

TEST_F(ConfigFileTest, WithoutAnExecutableFolderNothingIsReadOrWrittenElsewhere)
{
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    CRelocatedFileSystem lost(*system, "");
    CConfigList list{lost, codePage};
    WriteBytes(path, MakeConfigFile({.dhcpWait = 1}, kRecords));
    EXPECT_EQ(list.Load(clock), LoadResult::Missing);
    EXPECT_EQ(list.GetPreferences().nDhcpWait, 7000u);
    list.Add("A", "L", Settings(1, 1, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(list.Save(), SaveResult::Failed);
    std::filesystem::current_path(before);
    EXPECT_EQ(dir.Entries(), (Names{"Tolvi.cfg"}));
    EXPECT_EQ(GetU32(ReadBytes(path), 524), 1u);
}

TEST_F(ConfigFileTest, AnUnchangedFileIsNotRewritten)
{
    // Bytes that carry nothing: link words, padding, after terminators.
    const struct {
        const char* what;
        std::size_t offset;
        std::uint8_t value;
    } noise[] = {
        {"nothing", 0, 0},
        {"link words", 540 + 0, 0xAB},
        {"second link word", 540 + 1068 + 4, 0xCD},
        {"padding", 540 + 1034, 0x55},
        {"after the name", 540 + 8 + 10, 'z'},
        {"after the connection", 540 + 521 + 300, 'z'},
        {"end of the last name field", 540 + 2 * 1068 + 8 + 512, 'z'},
        {"after the default connection", 4 + 515, 'z'},
    };
    for (const auto& n : noise) {
        auto bytes = MakeConfigFile({"Local Area Network"}, kRecords);
        bytes[n.offset] = static_cast<std::uint8_t>(bytes[n.offset] | n.value);
        Plant(bytes);
        CConfigList list{*system, codePage};
        ASSERT_EQ(list.Load(path), LoadResult::Loaded) << n.what;
        EXPECT_EQ(list.Save(path), SaveResult::Unchanged) << n.what;
        EXPECT_TRUE(Untouched(bytes)) << n.what;
    }
}

TEST_F(ConfigFileTest, AnyChangeInMemoryRewritesTheFile)
{
    const struct {
        const char* what;
        void (*change)(CConfigList&);
        std::uint32_t version = 1; // the file's afterwards
    } changes[] = {
        {"default connection", [](CConfigList& l) { std::strcpy(l.GetPreferences().szDefaultConnection, "W"); }},
        {"test address", [](CConfigList& l) { l.GetPreferences().dwTestAddress = 0x7F000003; }},
        {"DHCP wait", [](CConfigList& l) { l.GetPreferences().nDhcpWait = 0; }},
        {"exit after apply", [](CConfigList& l) { l.GetPreferences().bExitAfterApply = 1; }},
        {"exit after auto", [](CConfigList& l) { l.GetPreferences().bExitAfterAuto = 1; }},
        {"one more", [](CConfigList& l) { l.Add("New", "L", Settings(1, 1, 0, 0, 0, 0, 0, 0)); }},
        {"one fewer", [](CConfigList& l) { l.Remove("Home"); }},
        {"renamed", [](CConfigList& l) { l.Rename("Lab", "Lab 2"); }},
        {"connection", [](CConfigList& l) { std::strcpy(l.Find("Home")->szConnection, "Wireless"); }},
        {"DHCP flag", [](CConfigList& l) { l.Find("Office")->bDhcpDns = 1; }},
        {"DNS 3", [](CConfigList& l) { l.Find("Lab")->dns3 = Ipv4Addr::FromValue(4); }},
        {"swapped", [](CConfigList& l) { l.Swap("Office", "Home"); }},
        {"a name outside the code page", [](CConfigList& l) { l.Rename("Lab", "Lab \xCE\xA9"); }, 2},
        {"a further address", [](CConfigList& l) { l.Find("Office")->moreAddresses.push_back({}); }, 2},
        {"a further gateway", [](CConfigList& l) { l.Find("Office")->moreGateways.push_back({}); }, 2},
        {"replaced, moving to the end",
         [](CConfigList& l) {
             l.Remove("Office");
             l.Add("Office", "Local Area Network",
                   Settings(0, 0, 0x0A00A8C0, 0x00FFFFFF, 0x0100A8C0, 0x0200A8C0, 0, 0));
         }},
    };
    for (const auto& c : changes) {
        const auto original = MakeConfigFile({}, kRecords);
        Plant(original);
        CConfigList list{*system, codePage};
        ASSERT_EQ(list.Load(path), LoadResult::Loaded);
        c.change(list);
        EXPECT_EQ(list.Save(path), SaveResult::Written) << c.what;
        CConfigList reread{*system, codePage};
        EXPECT_EQ(reread.Load(path), LoadResult::Loaded) << c.what;
        EXPECT_EQ(reread.Save(path), SaveResult::Unchanged) << c.what;
        EXPECT_NE(ReadBytes(path), original) << c.what;
        EXPECT_EQ(GetU32(ReadBytes(path), 0), c.version) << c.what;
    }
}

TEST_F(ConfigFileTest, DamagedAndUnusableFilesLoadWhatIsThereAndAreKeptAsABackup)
{
    for (const DamagedFile& damaged : DamagedFiles()) {
        SCOPED_TRACE(damaged.name);
        CTempDir here;
        const std::string file = here.File("Tolvi.cfg");
        WriteBytes(file, damaged.bytes);

        CConfigList list{*system, codePage};
        EXPECT_EQ(list.Load(file), damaged.result);
        EXPECT_EQ(NamesOf(list), damaged.loaded);
        if (damaged.defaults) {
            EXPECT_EQ(list.GetPreferences().nDhcpWait, 7000u);
            EXPECT_EQ(list.GetPreferences().dwTestAddress, kDefaultTestAddress);
            EXPECT_STREQ(list.GetPreferences().szDefaultConnection, "");
        } else {
            EXPECT_EQ(list.GetPreferences().nDhcpWait, 1234u);
        }

        const SaveResult saved = list.Save(file);
        if (!damaged.rewritten) {
            EXPECT_EQ(saved, SaveResult::Unchanged);
            EXPECT_EQ(ReadBytes(file), damaged.bytes);
            EXPECT_EQ(here.Entries(), (Names{"Tolvi.cfg"}));
            continue;
        }
        EXPECT_EQ(saved, SaveResult::Written);
        EXPECT_EQ(here.Entries(), (Names{"Tolvi.cfg", "Tolvi.cfg.bak"}));
        EXPECT_EQ(ReadBytes(here.File("Tolvi.cfg.bak")), damaged.bytes);
        // What was rewritten is sound and holds what was loaded.
        CConfigList reread{*system, codePage};
        EXPECT_EQ(reread.Load(file), LoadResult::Loaded);
        EXPECT_EQ(NamesOf(reread), damaged.loaded);
        EXPECT_EQ(ReadBytes(file), EncodeConfigFile(reread, codePage));
    }
}

TEST_F(ConfigFileTest, DuplicateNamesKeepTheFirstRecord)
{
    Plant(MakeConfigFile({}, {{.name = "A", .ip = 1}, {.name = "B", .ip = 2}, {.name = "A", .ip = 3}}));
    CConfigList list{*system, codePage};
    EXPECT_EQ(list.Load(path), LoadResult::Damaged);
    EXPECT_EQ(NamesOf(list), (Names{"A", "B"}));
    EXPECT_EQ(list.Find("A")->ipAddress.Value(), 1u);
    EXPECT_EQ(list.Save(path), SaveResult::Written);
    EXPECT_EQ(GetU32(ReadBytes(path), 536), 2u);
}

TEST_F(ConfigFileTest, ABackupIsTakenOnceAndASoundFileLeavesNone)
{
    const auto damaged = MakeConfigFile({}, kRecords);
    auto cut = damaged;
    cut.resize(540 + 1068 + 10);
    Plant(cut);
    CConfigList list{*system, codePage};
    ASSERT_EQ(list.Load(path), LoadResult::Damaged);
    ASSERT_EQ(list.Save(path), SaveResult::Written);
    list.Remove("Office");
    ASSERT_EQ(list.Save(path), SaveResult::Written);
    EXPECT_EQ(ReadBytes(dir.File("Tolvi.cfg.bak")), cut);

    CTempDir sound;
    WriteBytes(sound.File("Tolvi.cfg"), damaged);
    CConfigList other{*system, codePage};
    ASSERT_EQ(other.Load(sound.File("Tolvi.cfg")), LoadResult::Loaded);
    other.Remove("Lab");
    EXPECT_EQ(other.Save(sound.File("Tolvi.cfg")), SaveResult::Written);
    EXPECT_EQ(sound.Entries(), (Names{"Tolvi.cfg"}));
}

TEST_F(ConfigFileTest, AFolderInTheFilesPlaceIsNeitherReadNorReplaced)
{
    fs::create_directory(path);
    CConfigList list{*system, codePage};
    EXPECT_EQ(list.Load(path), LoadResult::Unopenable);
    EXPECT_EQ(list.GetPreferences().nDhcpWait, 7000u);
    list.Add("A", "L", Settings(1, 1, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(list.Save(path), SaveResult::Kept);
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(dir.Entries(), (Names{"Tolvi.cfg"}));
}

TEST_F(ConfigFileTest, AReadOnlyFileIsReadButNeverWritten)
{
    const auto bytes = MakeConfigFile({.dhcpWait = 1}, kRecords);
    Plant(bytes);
    SetReadOnly(path, true);
    CConfigList list{*system, codePage};
    EXPECT_EQ(list.Load(path), LoadResult::Loaded);
    EXPECT_EQ(list.GetPreferences().nDhcpWait, 1u);
    EXPECT_EQ(NamesOf(list), (Names{"Office", "Lab", "Home"}));
    EXPECT_EQ(list.Save(path), SaveResult::Unchanged);
    list.Remove("Lab");
    EXPECT_EQ(list.Save(path), SaveResult::Failed);
    EXPECT_TRUE(Untouched(bytes));
    EXPECT_EQ(dir.Entries(), (Names{"Tolvi.cfg"}));
}

// Nothing answers 0.0.0.0; the file is not rewritten only for that.
TEST_F(ConfigFileTest, ATestAddressOfZeroReadsAsTheDefault)
{
    const auto bytes = MakeConfigFile({.testAddress = 0}, kRecords);
    Plant(bytes);
    CConfigList list{*system, codePage};
    ASSERT_EQ(list.Load(path), LoadResult::Loaded);
    EXPECT_EQ(list.GetPreferences().dwTestAddress, kDefaultTestAddress);
    EXPECT_EQ(list.Save(path), SaveResult::Unchanged);
}

} // namespace
