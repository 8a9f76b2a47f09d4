#include "platform/win32/Win32CodePage.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// Wine's code page unless its locale says otherwise.
constexpr UINT kWindows1252 = 1252;

TEST(Win32CodePage, ConvertsBothWaysAndRefusesWhatTheCodePageLacks)
{
    if (::GetACP() != kWindows1252)
        GTEST_SKIP() << "the system code page is " << ::GetACP() << ", not 1252";
    const struct {
        std::string stored; // in the code page
        std::string utf8;
    } both[] = {{"", ""}, {"Local Area Network", "Local Area Network"}, {"\xE9", "\xC3\xA9"}, {"\x80", "\xE2\x82\xAC"}};
    CWin32CodePage codePage;
    for (const auto& c : both) {
        EXPECT_EQ(codePage.ToUtf8(c.stored), c.utf8);
        EXPECT_EQ(codePage.FromUtf8(c.utf8), c.stored);
    }
    // No '?' and no best fit: Omega, and an a with a ring below that would fit as "a".
    EXPECT_EQ(codePage.FromUtf8("\xCE\xA9"), std::nullopt);
    EXPECT_EQ(codePage.FromUtf8("x\xE1\xB8\x81"), std::nullopt);
}

} // namespace
