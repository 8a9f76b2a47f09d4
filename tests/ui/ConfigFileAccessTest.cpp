#include "MainDialogHarness.h"

#include "platform/win32/Handle.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Another process that holds the file open without sharing for the given
// time; ready once the file can no longer be opened here.
class CHeldFile {
public:
    CHeldFile(const std::string& path, DWORD ms)
    {
        const char* pszHolder = std::getenv("TOLVI_FILE_HOLDER");
        std::string command = "\"";
        command += pszHolder ? pszHolder : "tolvi_file_holder.exe";
        command += "\" \"" + path + "\" ";
        command += std::to_string(ms);
        STARTUPINFOA startup{sizeof startup};
        PROCESS_INFORMATION process{};
        if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process)) {
            ADD_FAILURE() << "cannot start " << command;
            return;
        }
        ::CloseHandle(process.hThread);
        m_process = CHandle(process.hProcess);
        for (int i = 0; i < 500 && Opens(path); ++i)
            ::Sleep(10);
        EXPECT_FALSE(Opens(path)) << "the file was never held";
    }
    ~CHeldFile() { WaitUntilReleased(); }
    CHeldFile(const CHeldFile&) = delete;
    CHeldFile& operator=(const CHeldFile&) = delete;

    void WaitUntilReleased()
    {
        if (m_process && ::WaitForSingleObject(m_process.Get(), 20000) != WAIT_OBJECT_0)
            ::TerminateProcess(m_process.Get(), 1);
        m_process.Close();
    }

private:
    static bool Opens(const std::string& path)
    {
        CHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        return static_cast<bool>(file);
    }

    CHandle m_process;
};

// A file of the lab's configuration and preferences no first run stores.
std::vector<std::uint8_t> PlantFile(CTestSystem& system)
{
    system.AddConnection("Office");
    system.WriteConfig([](CConfigList& list) {
        list.GetPreferences().nDhcpWait = 9000;
        AddStatic(list, "Lab", "Office", "198.18.5.1", "255.255.255.0", "198.18.5.254");
    });
    return ReadBytes(system.ConfigPath());
}

TEST(ConfigFileAccess, AFileHeldLongerThanTheRetryIsToldAboutAndKeptByteForByte)
{
    CTestSystem system;
    system.pClock = &system.realClock;
    const auto bytes = PlantFile(system);
    CHeldFile held(system.ConfigPath(), 4000);
    std::vector<std::string> shown;
    const auto seen = RunAnswering(system,
                                   {WhenIdle([&](CDrivenTolviDlg& d) {
                                       shown = ComboEntries(d.Item(IDC_COMBO_CONFIGURATION));
                                       held.WaitUntilReleased();
                                   })},
                                   {{IDOK, "could not read"}});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Tolvi could not read its configuration file " + system.files.ExecutableDirectory() +
                                "Tolvi.cfg: another program may be using it.\nTolvi runs on its default settings, "
                                "and the changes of this run will not be saved. The file is left as it is.");
    EXPECT_TRUE(seen[0].hasIcon);
    EXPECT_EQ(shown, std::vector<std::string>{"< New Configuration >"});
    EXPECT_EQ(ReadBytes(system.ConfigPath()), bytes);
    EXPECT_EQ(system.files.replaces, 0);
}

TEST(ConfigFileAccess, AFileHeldForAMomentIsWaitedFor)
{
    CTestSystem system;
    system.pClock = &system.realClock;
    const auto bytes = PlantFile(system);
    CHeldFile held(system.ConfigPath(), 700);
    std::vector<std::string> shown;
    const auto seen = RunAnswering(
        system, {WhenIdle([&](CDrivenTolviDlg& d) { shown = ComboEntries(d.Item(IDC_COMBO_CONFIGURATION)); })},
        {{IDOK}}); // any box would be a failure, and must not hang the run
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(shown, (std::vector<std::string>{"Lab", "< New Configuration >"}));
    EXPECT_EQ(ReadBytes(system.ConfigPath()), bytes);
}

TEST(ConfigFileAccess, AReadOnlyFileIsShownAndNeverWritten)
{
    CTestSystem system;
    const auto bytes = PlantFile(system);
    SetReadOnly(system.ConfigPath(), true);
    std::vector<std::string> shown;
    const auto seen = RunAnswering(
        system, {WhenIdle([&](CDrivenTolviDlg& d) { shown = ComboEntries(d.Item(IDC_COMBO_CONFIGURATION)); })},
        {{IDOK}}); // any box would be a failure, and must not hang the run
    const DWORD attributes = ::GetFileAttributesA(system.ConfigPath().c_str());
    SetReadOnly(system.ConfigPath(), false);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(shown, (std::vector<std::string>{"Lab", "< New Configuration >"}));
    EXPECT_EQ(ReadBytes(system.ConfigPath()), bytes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(system.files.replaces, 0);
}

} // namespace
