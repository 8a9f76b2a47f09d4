#include "platform/win32/Win32Registry.h"
#include "RegistryKeys.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const std::string kRoot = "SOFTWARE\\TolviTest\\Registry";

TEST(Win32Registry, EnumeratesSubkeysUntilNoMoreItems)
{
    CRegistryKeys keys;
    keys.Create(kRoot + "\\{first}");
    keys.Create(kRoot + "\\{second}");
    keys.Create(kRoot + "\\{третий}");
    CWin32Registry registry;
    const auto key = registry.OpenLocalMachine(kRoot.c_str(), RegistryAccess::Read);
    ASSERT_TRUE(key);
    std::vector<std::string> names;
    for (std::uint32_t i = 0;; ++i) {
        char name[255];
        std::uint32_t length = sizeof name;
        const long status = key->EnumSubkey(i, name, length);
        if (status != reg::kSuccess) {
            EXPECT_EQ(status, reg::kNoMoreItems);
            break;
        }
        names.emplace_back(name, length);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"{first}", "{second}", "{третий}"}));

    char shortBuffer[4];
    std::uint32_t length = sizeof shortBuffer;
    EXPECT_EQ(key->EnumSubkey(0, shortBuffer, length), reg::kMoreData);
}

TEST(Win32Registry, QueriesRawDataAndReportsTheSizeNeeded)
{
    CRegistryKeys keys;
    keys.SetMultiString(kRoot, "IPAddress", {"10.0.0.1", "10.0.0.2"});
    keys.SetDword(kRoot, "EnableDHCP", 1);
    keys.SetMultiString(kRoot, "Сети", {"Сеть 2", "x"});
    CWin32Registry registry;
    const auto key = registry.OpenLocalMachine(kRoot.c_str(), RegistryAccess::Read);
    ASSERT_TRUE(key);

    char data[64];
    std::uint32_t size = sizeof data;
    ASSERT_EQ(key->QueryValue("IPAddress", data, size), reg::kSuccess);
    EXPECT_EQ(std::string(data, size), std::string("10.0.0.1\0"
                                                   "10.0.0.2\0\0",
                                                   19));

    size = 4;
    EXPECT_EQ(key->QueryValue("IPAddress", data, size), reg::kMoreData);
    EXPECT_EQ(size, 19u);

    // UTF-8 with its NULs in place; the size needed in UTF-8 (14), not UTF-16 (20).
    size = 13;
    EXPECT_EQ(key->QueryValue("Сети", data, size), reg::kMoreData);
    EXPECT_EQ(size, 14u);
    ASSERT_EQ(key->QueryValue("Сети", data, size), reg::kSuccess);
    EXPECT_EQ(std::string(data, size), std::string("Сеть 2\0x\0\0", 14));

    std::uint32_t flag = 0;
    size = sizeof flag;
    ASSERT_EQ(key->QueryValue("EnableDHCP", &flag, size), reg::kSuccess);
    EXPECT_EQ(flag, 1u);

    size = sizeof data;
    EXPECT_EQ(key->QueryValue("Missing", data, size), reg::kFileNotFound);
    EXPECT_FALSE(registry.OpenLocalMachine((kRoot + "\\Absent").c_str(), RegistryAccess::Read));
}

TEST(Win32Registry, SetsAndDeletesStringsOnlyThroughAWritableKey)
{
    CRegistryKeys keys;
    keys.Create(kRoot);
    CWin32Registry registry;
    {
        const auto key = registry.OpenLocalMachine(kRoot.c_str(), RegistryAccess::Read);
        ASSERT_TRUE(key);
        EXPECT_NE(key->SetString("Tolvi", "x"), reg::kSuccess);
    }
    const auto key = registry.OpenLocalMachine(kRoot.c_str(), RegistryAccess::Write);
    ASSERT_TRUE(key);
    ASSERT_EQ(key->SetString("Tolvi", "\"C:\\Tools\\Tolvi.exe\" /auto"), reg::kSuccess);
    char data[64] = {};
    std::uint32_t size = sizeof data;
    ASSERT_EQ(key->QueryValue("Tolvi", data, size), reg::kSuccess);
    EXPECT_STREQ(data, "\"C:\\Tools\\Tolvi.exe\" /auto");
    EXPECT_EQ(size, std::strlen(data) + 1);

    EXPECT_EQ(key->DeleteValue("Tolvi"), reg::kSuccess);
    EXPECT_EQ(key->DeleteValue("Tolvi"), reg::kFileNotFound);
}

} // namespace
