#include "net/SettingsText.h"
#include "support/NetworkTestValues.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(SettingsItem, SplitsAtAnyRunOfSpacesAndCommas)
{
    const std::uint32_t one = Ip(10, 0, 0, 1), two = Ip(10, 0, 0, 2);
    const struct {
        const char* text;
        std::vector<std::uint32_t> items; // every later item is 0
    } cases[] = {
        {"", {}},
        {" , ,", {}},
        {"10.0.0.1", {one}},
        {"10.0.0.1,10.0.0.2", {one, two}},
        {"10.0.0.1 10.0.0.2", {one, two}},
        {"10.0.0.1, 10.0.0.2", {one, two}},
        {" ,, 10.0.0.1 ,,  10.0.0.2, ", {one, two}},
        // A present item of 0.0.0.0 keeps its place.
        {"0.0.0.0 10.0.0.2", {0, two}},
        // Only space and comma separate.
        {"10.0.0.1;10.0.0.2", {one}},
        {"10.0.0.1\t10.0.0.2", {one}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        for (unsigned k = 0; k <= c.items.size() + 1; ++k)
            EXPECT_EQ(SettingsItem(c.text, k), k < c.items.size() ? c.items[k] : 0u) << "item " << k;
    }
}

} // namespace
