#include "config/ConfigList.h"
#include "support/TestSettings.h"

#include "fakes/Latin1CodePage.h"
#include "platform/SystemFileSystem.h"
#include "support/ConfigImage.h"
#include "support/SameRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

class ConfigListTest : public ::testing::Test {
protected:
    // Walks the list both ways and fails on any broken link.
    std::vector<std::string> Order() const
    {
        std::vector<std::string> names;
        const CONFIGURATION* prev = nullptr;
        for (const CONFIGURATION* p = list.GetHead(); p; prev = p, p = p->pNext) {
            EXPECT_EQ(p->pPrev, prev) << "at " << p->szName;
            names.emplace_back(p->szName);
        }
        EXPECT_EQ(names.size(), list.GetCount());
        return names;
    }

    int AddStatic(const std::string& name, std::uint32_t ip)
    {
        return list.Add(name.c_str(), "Local Area Network", Settings(0, 0, ip, 0x00FFFFFF, 0, 0, 0, 0));
    }

    std::unique_ptr<IFileSystem> fileSystem = std::make_unique<CSystemFileSystem>();
    CLatin1CodePage codePage;
    CConfigList list{*fileSystem, codePage};
};

using Names = std::vector<std::string>;

TEST_F(ConfigListTest, AddAppendsInOrderAndRefusesAnExistingName)
{
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_EQ(AddStatic("A", 1), CONFIG_DONE);
    EXPECT_EQ(AddStatic("B", 2), CONFIG_DONE);
    EXPECT_EQ(AddStatic("C", 3), CONFIG_DONE);
    EXPECT_EQ(AddStatic("B", 99), CONFIG_NAME_EXISTS);
    EXPECT_EQ(Order(), (Names{"A", "B", "C"}));
    EXPECT_EQ(list.Find("B")->ipAddress.Value(), 2u);
}

TEST_F(ConfigListTest, AddKeepsEveryField)
{
    const TestRecord lab{.name = "Lab",
                         .connection = "Wireless",
                         .dhcpAddress = 1,
                         .ip = 0x0A00A8C0,
                         .mask = 0x00FFFFFF,
                         .gateway = 0x0100A8C0,
                         .dns1 = 0x08080808,
                         .dns2 = 0x04040808,
                         .dns3 = 0x01010101};
    AddAll(list, {lab});
    EXPECT_TRUE(SameRecord(list.Find("Lab"), lab));
}

TEST_F(ConfigListTest, NamesAreCaseSensitive)
{
    AddStatic("office", 1);
    EXPECT_EQ(AddStatic("Office", 2), CONFIG_DONE);
    EXPECT_EQ(list.Find("OFFICE"), nullptr);
    EXPECT_EQ(list.Find("Office")->ipAddress.Value(), 2u);
}

TEST_F(ConfigListTest, RemoveRelinksTheNeighbours)
{
    const struct {
        const char* removed;
        Names left;
    } cases[] = {
        {"A", {"B", "C"}},
        {"B", {"A", "C"}},
        {"C", {"A", "B"}},
    };
    for (const auto& c : cases) {
        CConfigList fresh{*fileSystem, codePage};
        for (const char* name : {"A", "B", "C"})
            fresh.Add(name, "L", Settings(0, 0, 0, 0, 0, 0, 0, 0));
        EXPECT_EQ(fresh.Remove(c.removed), CONFIG_DONE);
        Names names;
        const CONFIGURATION* prev = nullptr;
        for (const CONFIGURATION* p = fresh.GetHead(); p; prev = p, p = p->pNext) {
            EXPECT_EQ(p->pPrev, prev);
            names.emplace_back(p->szName);
        }
        EXPECT_EQ(names, c.left) << "removing " << c.removed;
        EXPECT_EQ(fresh.Find(c.removed), nullptr);
        // The tail must have moved too: a new record links after the right one.
        fresh.Add("D", "L", Settings(0, 0, 0, 0, 0, 0, 0, 0));
        EXPECT_EQ(fresh.Find("D")->pPrev, fresh.Find(c.left.back().c_str())) << "removing " << c.removed;
    }
}

TEST_F(ConfigListTest, RemovingTheOnlyRecordEmptiesTheList)
{
    AddStatic("A", 1);
    EXPECT_EQ(list.Remove("A"), CONFIG_DONE);
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_EQ(list.Remove("A"), CONFIG_NAME_NOT_FOUND);
    EXPECT_EQ(AddStatic("B", 2), CONFIG_DONE);
    EXPECT_EQ(Order(), (Names{"B"}));
}

TEST_F(ConfigListTest, RenameResults)
{
    const struct {
        const char* from;
        const char* to;
        int result;
        Names after;
    } cases[] = {
        {"B", "B2", CONFIG_DONE, {"A", "B2", "C"}},         {"B", "B", CONFIG_NAME_EXISTS, {"A", "B", "C"}},
        {"B", "C", CONFIG_NAME_EXISTS, {"A", "B", "C"}},    {"X", "C", CONFIG_NAME_NOT_FOUND, {"A", "B", "C"}},
        {"X", "Y", CONFIG_NAME_NOT_FOUND, {"A", "B", "C"}}, {"A", "", CONFIG_DONE, {"", "B", "C"}},
    };
    for (const auto& c : cases) {
        CConfigList fresh{*fileSystem, codePage};
        std::uint32_t ip = 1;
        for (const char* name : {"A", "B", "C"})
            fresh.Add(name, "L", Settings(0, 0, ip++, 0, 0, 0, 0, 0));
        EXPECT_EQ(fresh.Rename(c.from, c.to), c.result) << c.from << " -> " << c.to;
        Names names;
        for (const CONFIGURATION* p = fresh.GetHead(); p; p = p->pNext)
            names.emplace_back(p->szName);
        EXPECT_EQ(names, c.after) << c.from << " -> " << c.to;
    }
}

TEST_F(ConfigListTest, RenameKeepsPlaceAndSettingsAndFreesTheOldName)
{
    AddStatic("A", 1);
    AddStatic("B", 2);
    ASSERT_EQ(list.Rename("A", "Z"), CONFIG_DONE);
    EXPECT_EQ(list.Find("A"), nullptr);
    EXPECT_EQ(list.Find("Z")->ipAddress.Value(), 1u);
    EXPECT_EQ(list.GetHead(), list.Find("Z"));
    EXPECT_EQ(AddStatic("A", 3), CONFIG_DONE);
    EXPECT_EQ(Order(), (Names{"Z", "B", "A"}));
}

TEST_F(ConfigListTest, SwapExchangesContentsButNotPositions)
{
    AddStatic("A", 1);
    AddStatic("B", 2);
    AddStatic("C", 3);
    CONFIGURATION* first = list.GetHead();
    ASSERT_EQ(list.Swap("A", "B"), CONFIG_DONE);
    EXPECT_EQ(list.GetHead(), first);
    EXPECT_EQ(Order(), (Names{"B", "A", "C"}));
    // Names travel with their settings, and looking them up follows them.
    for (const auto& [name, ip] : {std::pair{"A", 1u}, {"B", 2u}, {"C", 3u}}) {
        ASSERT_NE(list.Find(name), nullptr) << name;
        EXPECT_STREQ(list.Find(name)->szName, name);
        EXPECT_EQ(list.Find(name)->ipAddress.Value(), ip) << name;
    }
    ASSERT_EQ(list.Swap("B", "C"), CONFIG_DONE);
    EXPECT_EQ(Order(), (Names{"C", "A", "B"}));
    EXPECT_EQ(list.Find("C")->ipAddress.Value(), 3u);
}

TEST_F(ConfigListTest, SwapWithAbsentOrSameNameChangesNothing)
{
    AddStatic("A", 1);
    AddStatic("B", 2);
    EXPECT_EQ(list.Swap("A", "X"), CONFIG_NAME_NOT_FOUND);
    EXPECT_EQ(list.Swap("X", "B"), CONFIG_NAME_NOT_FOUND);
    EXPECT_EQ(list.Swap("A", "A"), CONFIG_DONE);
    EXPECT_EQ(Order(), (Names{"A", "B"}));
    EXPECT_EQ(list.Find("A")->ipAddress.Value(), 1u);
}

TEST_F(ConfigListTest, NamesLongerThanTheFieldAreCutTheSameWayEverywhere)
{
    const std::string longName(600, 'n');
    const std::string cut(512, 'n');
    ASSERT_EQ(AddStatic(longName, 1), CONFIG_DONE);
    EXPECT_EQ(std::strlen(list.GetHead()->szName), 512u);
    EXPECT_EQ(list.Find(longName.c_str()), list.GetHead());
    EXPECT_EQ(list.Find(cut.c_str()), list.GetHead());
    EXPECT_EQ(AddStatic(cut, 2), CONFIG_NAME_EXISTS);
    EXPECT_EQ(list.Rename(longName.c_str(), "short"), CONFIG_DONE);
    EXPECT_EQ(list.Find(cut.c_str()), nullptr);

    const std::string longConnection = std::string(511, 'c') + "\xD0\xA1" + std::string(200, 'c');
    list.Add("x", longConnection.c_str(), Settings(1, 1, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(std::strlen(list.Find("x")->szConnection), 511u) << "a letter is kept whole or not at all";
    EXPECT_EQ(list.FindIdentical(longConnection.c_str(), Settings(1, 1, 0, 0, 0, 0, 0, 0)), list.Find("x"));
}

struct IdentityCase {
    const char* what;
    TestRecord stored;
    TestRecord probe;
    bool identical;
};

TEST_F(ConfigListTest, FindIdenticalFollowsTheIdentityRules)
{
    const TestRecord staticAll{
        .ip = 0x0A00A8C0, .mask = 0x00FFFFFF, .gateway = 0x0100A8C0, .dns1 = 1, .dns2 = 2, .dns3 = 3};
    auto with = [](TestRecord r, auto change) {
        change(r);
        return r;
    };
    const auto at = Ipv4Addr::FromValue;
    const TestRecord withMore = with(staticAll, [&](TestRecord& r) {
        r.moreAddresses = {{at(1), at(2)}, {at(3), at(4)}};
        r.moreGateways = {{at(5), 10}, {at(6), 20}};
    });
    const IdentityCase cases[] = {
        {"both DHCP, other addresses",
         {.dhcpAddress = 1, .dhcpDns = 1, .ip = 5, .dns1 = 6},
         {.dhcpAddress = 1, .dhcpDns = 1, .ip = 7, .dns2 = 8},
         true},
        {"both DHCP, other connection",
         {.dhcpAddress = 1, .dhcpDns = 1},
         {.connection = "Wireless", .dhcpAddress = 1, .dhcpDns = 1},
         false},
        {"connection differs in case",
         {.dhcpAddress = 1, .dhcpDns = 1},
         {.connection = "local area network", .dhcpAddress = 1, .dhcpDns = 1},
         false},
        {"DHCP address, same static DNS",
         {.dhcpAddress = 1, .ip = 5, .mask = 6, .gateway = 7, .dns1 = 1, .dns2 = 2},
         {.dhcpAddress = 1, .ip = 8, .mask = 9, .gateway = 10, .dns1 = 1, .dns2 = 2},
         true},
        {"DHCP address, other DNS 3", {.dhcpAddress = 1, .dns1 = 1, .dns3 = 3}, {.dhcpAddress = 1, .dns1 = 1}, false},
        {"static, all equal", staticAll, staticAll, true},
        {"static, gateway differs", staticAll, with(staticAll, [](TestRecord& r) { r.gateway = 0; }), false},
        {"static, DHCP DNS, DNS 2 differs", with(staticAll, [](TestRecord& r) { r.dhcpDns = 1; }),
         with(staticAll,
              [](TestRecord& r) {
                  r.dhcpDns = 1;
                  r.dns2 = 9;
              }),
         false},
        {"static, DHCP DNS, all equal", with(staticAll, [](TestRecord& r) { r.dhcpDns = 1; }),
         with(staticAll, [](TestRecord& r) { r.dhcpDns = 1; }), true},
        {"DHCP against static", {.dhcpAddress = 1, .dhcpDns = 1}, {.dhcpAddress = 0, .dhcpDns = 1}, false},
        {"DHCP DNS against static DNS", {.dhcpAddress = 1, .dhcpDns = 1}, {.dhcpAddress = 1, .dhcpDns = 0}, false},
        {"static, same further ones", withMore, withMore, true},
        {"static, a further mask differs", withMore,
         with(withMore, [](TestRecord& r) { r.moreAddresses[0].mask = Ipv4Addr::FromValue(0x0000FFFF); }), false},
        {"static, further gateways in another order", withMore,
         with(withMore, [](TestRecord& r) { std::swap(r.moreGateways[0], r.moreGateways[1]); }), false},
        {"static, a metric differs", withMore, with(withMore, [](TestRecord& r) { r.moreGateways[1].metric = 3; }),
         false},
    };
    for (const IdentityCase& c : cases) {
        CConfigList fresh{*fileSystem, codePage};
        TestRecord stored = c.stored;
        stored.name = "stored";
        AddAll(fresh, {stored});
        const TestRecord& s = c.probe;
        const CONFIGURATION* found = fresh.FindIdentical(s.connection.c_str(), RecordSettings(s));
        EXPECT_EQ(found != nullptr, c.identical) << c.what;
    }
}

TEST_F(ConfigListTest, FindIdenticalReturnsTheFirstInListOrder)
{
    AddAll(list, {{.name = "static"},
                  {.name = "dhcp 1", .dhcpAddress = 1, .dhcpDns = 1},
                  {.name = "dhcp 2", .dhcpAddress = 1, .dhcpDns = 1}});
    EXPECT_EQ(list.FindIdentical("Local Area Network", Settings(1, 1, 0, 0, 0, 0, 0, 0)), list.Find("dhcp 1"));
    list.Swap("dhcp 1", "dhcp 2");
    EXPECT_EQ(list.FindIdentical("Local Area Network", Settings(1, 1, 0, 0, 0, 0, 0, 0)), list.Find("dhcp 2"));
}

// Any run of edits keeps order, links, look-ups and each name's own settings
// as a plain list of pairs would.
TEST_F(ConfigListTest, RandomEditsAgreeWithASimpleModel)
{
    std::mt19937 random(20261208);
    std::vector<std::pair<std::string, std::uint32_t>> model;
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    auto name = [&] { return "n" + std::to_string(pick(40)); };
    auto indexOf = [&](const std::string& n) {
        for (std::size_t i = 0; i < model.size(); ++i)
            if (model[i].first == n)
                return static_cast<int>(i);
        return -1;
    };
    for (int step = 0; step < 5000; ++step) {
        const std::string a = name(), b = name();
        const int ia = indexOf(a), ib = indexOf(b);
        switch (pick(4)) {
        case 0: {
            const auto ip = static_cast<std::uint32_t>(step);
            ASSERT_EQ(AddStatic(a, ip), ia < 0 ? CONFIG_DONE : CONFIG_NAME_EXISTS);
            if (ia < 0)
                model.emplace_back(a, ip);
            break;
        }
        case 1:
            ASSERT_EQ(list.Remove(a.c_str()), ia < 0 ? CONFIG_NAME_NOT_FOUND : CONFIG_DONE);
            if (ia >= 0)
                model.erase(model.begin() + ia);
            break;
        case 2:
            ASSERT_EQ(list.Rename(a.c_str(), b.c_str()), ia < 0    ? CONFIG_NAME_NOT_FOUND
                                                         : ib >= 0 ? CONFIG_NAME_EXISTS
                                                                   : CONFIG_DONE);
            if (ia >= 0 && ib < 0)
                model[static_cast<std::size_t>(ia)].first = b;
            break;
        default:
            ASSERT_EQ(list.Swap(a.c_str(), b.c_str()), ia < 0 || ib < 0 ? CONFIG_NAME_NOT_FOUND : CONFIG_DONE);
            if (ia >= 0 && ib >= 0)
                std::swap(model[static_cast<std::size_t>(ia)], model[static_cast<std::size_t>(ib)]);
            break;
        }
        Names expected;
        for (const auto& [n, ip] : model) {
            expected.push_back(n);
            const CONFIGURATION* p = list.Find(n.c_str());
            ASSERT_NE(p, nullptr) << "step " << step << ": " << n;
            ASSERT_EQ(p->ipAddress.Value(), ip) << "step " << step << ": " << n;
        }
        ASSERT_EQ(Order(), expected) << "step " << step;
    }
}

} // namespace
