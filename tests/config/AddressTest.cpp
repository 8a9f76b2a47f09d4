#include "config/Address.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Format(std::uint32_t value)
{
    char text[kAddressTextSize];
    std::memset(text, 'x', sizeof(text));
    FormatAddress(value, text);
    return text;
}

std::uint32_t Parse(const char* text)
{
    std::uint32_t value = 0xDEADBEEF;
    ParseAddress(text, value);
    EXPECT_EQ(ParseAddress(text), value) << text;
    return value;
}

TEST(FormatAddress, PrintsLeastSignificantByteFirst)
{
    const struct {
        std::uint32_t value;
        const char* text;
    } cases[] = {
        {0, "0.0.0.0"},           {0x0100A8C0, "192.168.0.1"}, {0xFFFFFFFF, "255.255.255.255"},
        {0x0100000A, "10.0.0.1"}, {0x80000001, "1.0.0.128"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value), c.text) << std::hex << c.value;
}

TEST(ParseAddress, WeighsEachNumberByItsByteAndWraps)
{
    const struct {
        const char* text;
        std::uint32_t value;
    } cases[] = {
        {"10.0.0.1", 0x0100000A},
        {"192.168.0.1", 0x0100A8C0},
        {"255.255.255.255", 0xFFFFFFFF},
        {"0.0.0.0", 0},
        // A number above 255 carries into the next byte; the top one wraps.
        {"1.2.300.4", 0x052C0201},
        {"1.2.3.256", 0x00030201},
        {"256.0.0.0", 0x00000100},
        {"0.0.0.4294967295", 0xFF000000},
        {"4294967296.0.0.0", 0},
        {"-1.0.0.0", 0xFFFFFFFF},
        {" 10. 0. 0.1", 0x0100000A},
        // Fewer than four numbers: the missing ones count as 0.
        {"10.1", 0x0000010A},
        {"", 0},
        {"abc", 0},
        {"10..1.1", 0x0000000A},
        {"10 .1.1.1", 0x0000000A},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Parse(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseAddress, FormatsBackToTheSameTextWithinRange)
{
    for (const char* text : {"10.0.0.1", "172.16.254.3", "1.2.3.4", "0.0.0.0", "255.0.255.0"})
        EXPECT_EQ(Format(Parse(text)), text);
    EXPECT_EQ(Format(Parse("1.2.300.4")), "1.2.44.5");
}

} // namespace
