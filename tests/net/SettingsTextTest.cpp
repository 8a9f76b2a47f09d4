#include "net/SettingsText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Items = std::vector<std::string>;

TEST(SettingsItems, SplitsAtAnyRunOfSpacesAndCommasAndAMultiStringAtItsStrings)
{
    using namespace std::string_literals;
    const struct {
        std::string data;
        bool multi;
        Items items;
    } cases[] = {
        {"", false, {}},
        {" , ,", false, {}},
        {"10.0.0.1", false, {"10.0.0.1"}},
        {"10.0.0.1,10.0.0.2", false, {"10.0.0.1", "10.0.0.2"}},
        {"10.0.0.1 10.0.0.2", false, {"10.0.0.1", "10.0.0.2"}},
        {"10.0.0.1, 10.0.0.2", false, {"10.0.0.1", "10.0.0.2"}},
        {" ,, 10.0.0.1 ,,  10.0.0.2, ", false, {"10.0.0.1", "10.0.0.2"}},
        {"0.0.0.0 10.0.0.2", false, {"0.0.0.0", "10.0.0.2"}},
        // Only space and comma separate.
        {"10.0.0.1;10.0.0.2\t3", false, {"10.0.0.1;10.0.0.2\t3"}},
        {"10.0.0.1\0"
         "10.0.0.2\0\0"s,
         false,
         {"10.0.0.1"}},
        {"10.0.0.1\0"
         "10.0.0.2\0\0"s,
         true,
         {"10.0.0.1", "10.0.0.2"}},
        {"10.0.0.1\0"
         "25"s,
         true,
         {"10.0.0.1", "25"}}, // no terminator
        {"1\0\0"
         "2\0\0"s,
         true,
         {"1"}},
        {"\0\0"s, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.data) + (c.multi ? " as a multi-string" : ""));
        EXPECT_EQ(SettingsItems(c.data, c.multi), c.items);
    }
}

} // namespace
