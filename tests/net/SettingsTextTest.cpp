#include "net/SettingsText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(SettingsItems, SplitsAtAnyRunOfSpacesAndCommas)
{
    const std::string one = "10.0.0.1", two = "10.0.0.2";
    const struct {
        const char* text;
        std::vector<std::string> items;
    } cases[] = {
        {"", {}},
        {" , ,", {}},
        {"10.0.0.1", {one}},
        {"10.0.0.1,10.0.0.2", {one, two}},
        {"10.0.0.1 10.0.0.2", {one, two}},
        {"10.0.0.1, 10.0.0.2", {one, two}},
        {" ,, 10.0.0.1 ,,  10.0.0.2, ", {one, two}},
        // A present item of 0.0.0.0 keeps its place.
        {"0.0.0.0 10.0.0.2", {"0.0.0.0", two}},
        // Only space and comma separate.
        {"10.0.0.1;10.0.0.2", {"10.0.0.1;10.0.0.2"}},
        {"10.0.0.1\t10.0.0.2", {"10.0.0.1\t10.0.0.2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(SettingsItems(c.text, false), c.items);
    }
}

} // namespace
