#include "net/AdapterAddresses.h"

#include "fakes/FakeAdapterList.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const std::vector<AdapterEntry> kTwo = {{"{A}", true, {"198.18.5.1", "198.18.5.9"}}, {"{B}", false, {}}};
// The same as read: addresses as values.
const std::vector<AdapterAddressList> kTwoRead = {
    {"{A}", true, {Ipv4Addr::Parse("198.18.5.1"), Ipv4Addr::Parse("198.18.5.9")}}, {"{B}", false, {}}};

TEST(AdapterAddresses, ReadsTheListWithOneBufferThatGrowsToIt)
{
    const struct {
        const char* what;
        std::vector<AdapterEntry> adapters;
        std::uint32_t failure;
        std::size_t nGrowths; // adapters added after each of the first fills
        std::optional<std::vector<AdapterAddressList>> expected;
    } cases[] = {
        {"adapters and their addresses", kTwo, IAdapterList::kSuccess, 0, kTwoRead},
        {"no adapters is an empty list", {}, IAdapterList::kSuccess, 0, std::vector<AdapterAddressList>{}},
        {"a failure reads nothing", kTwo, 31, 0, std::nullopt},
        {"a list that grew once is read", kTwo, IAdapterList::kSuccess, 1,
         std::vector<AdapterAddressList>{
             kTwoRead[0], kTwoRead[1], {"{grown}", false, {Ipv4Addr::Parse("198.18.6.1")}}}},
        {"a list that keeps growing is left for the next read", kTwo, IAdapterList::kSuccess, 3, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CFakeAdapterList list;
        list.adapters = c.adapters;
        list.failure = c.failure;
        list.afterFill = [&](std::size_t call) {
            if (call <= c.nGrowths)
                list.adapters.push_back({"{grown}", false, {"198.18.6.1"}});
        };
        CAdapterAddresses addresses(list);
        EXPECT_EQ(addresses.Read(), c.expected);
        if (!c.expected || c.nGrowths != 0)
            continue;
        // The next read fits at once: one call of the system's list.
        list.sizesSeen.clear();
        EXPECT_EQ(addresses.Read(), c.expected);
        EXPECT_EQ(list.sizesSeen.size(), 1u);
    }
}

} // namespace
