#include "MainDialogHarness.h"

#include "platform/win32/Handle.h"
#include "resource.h"
#include "win32/DialogTesting.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool Opens(const std::string& path)
{
    return static_cast<bool>(
        CHandle(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)));
}

// Another process that holds the file without sharing for a while, started
// and waited for until the file no longer opens here.
CHandle Hold(const std::string& path, DWORD ms)
{
    const char* pszHolder = std::getenv("TOLVI_FILE_HOLDER");
    std::string command = "\"";
    command += pszHolder ? pszHolder : "tolvi_file_holder.exe";
    command += "\" \"" + path + "\" " + std::to_string(ms);
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};
    EXPECT_TRUE(
        ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    CHandle thread(process.hThread);
    for (int i = 0; i < 1500 && Opens(path); ++i)
        ::Sleep(10);
    EXPECT_FALSE(Opens(path)) << "never held";
    return CHandle(process.hProcess);
}

// Held longer than the retry: told at start, run on the defaults, and the
// file kept byte for byte though the defaults differ from it. Held for a
// moment: waited out. Read-only: used, and never written.
TEST(ConfigFileAccess, AHeldOrReadOnlyFileIsNeverLost)
{
    const std::vector<std::string> kLab = {"Lab", "< New Configuration >"};
    const struct {
        DWORD heldMs;
        bool bReadOnly;
        std::vector<std::string> shown;
        bool bTold;
    } cases[] = {
        {4000, false, {"< New Configuration >"}, true},
        {700, false, kLab, false},
        {0, true, kLab, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.heldMs);
        CTestSystem system;
        system.pClock = &system.realClock;
        system.AddConnection("Office");
        system.WriteConfig([](CConfigList& list) {
            list.GetPreferences().nDhcpWait = 9000;
            AddStatic(list, "Lab", "Office", "198.18.5.1", "255.255.255.0", "198.18.5.254");
        });
        const auto bytes = ReadBytes(system.ConfigPath());
        SetReadOnly(system.ConfigPath(), c.bReadOnly);
        CHandle holder = c.heldMs ? Hold(system.ConfigPath(), c.heldMs) : CHandle();
        std::vector<std::string> shown;
        // Any box answered, so that an unexpected one fails rather than hangs.
        const auto seen = RunAnswering(system, {WhenIdle([&](CDrivenTolviDlg& d) {
                                           shown = ComboEntries(d.Item(IDC_COMBO_CONFIGURATION));
                                           if (holder)
                                               ::WaitForSingleObject(holder.Get(), 10000);
                                       })},
                                       {{IDOK}});
        SetReadOnly(system.ConfigPath(), false);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(ReadBytes(system.ConfigPath()), bytes);
        EXPECT_EQ(system.files.replaces, 0);
        ASSERT_EQ(seen.size(), c.bTold ? 1u : 0u);
        if (c.bTold) {
            EXPECT_EQ(seen[0].text, "Tolvi could not read its configuration file " +
                                        system.files.ExecutableDirectory() +
                                        "Tolvi.cfg: another program may be using it.\nTolvi runs on its default "
                                        "settings, and the changes of this run will not be saved. The file is left "
                                        "as it is.");
        }
    }
}

// A scanner that opens the file for a moment just as the dialog writes it.
TEST(ConfigFileAccess, AFileHeldForAMomentAtExitIsWrittenAllTheSame)
{
    CTestSystem system;
    system.pClock = &system.realClock;
    system.AddConnection("Office");
    system.WriteConfig([](CConfigList& list) { list.GetPreferences().nDhcpWait = 9000; });
    CHandle holder;
    std::vector<CDrivenTolviDlg::Step> steps =
        InDialog(IDC_PREFERENCES, "Preferences", [](CDrivenTolviDlg&, HWND hDlg) {
            ::SetDlgItemTextA(hDlg, IDC_DHCP_WAIT, "5000");
            Click(::GetDlgItem(hDlg, IDOK));
        });
    steps.push_back(WhenIdle([&](CDrivenTolviDlg&) { holder = Hold(system.ConfigPath(), 1000); }));
    EXPECT_TRUE(RunAnswering(system, steps, {{IDOK}}).empty());
    CConfigList written(system.realFiles, system.codePage);
    system.ReadConfig(written);
    EXPECT_EQ(written.GetPreferences().nDhcpWait, 5000u);
}

} // namespace
