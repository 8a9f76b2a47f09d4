// netsh runs through the real shell against a recording stand-in installed
// as the prefix's system32 netsh.exe. The test runs with the override that
// makes Wine start that file instead of its builtin.
#include "RegistryKeys.h"
#include "config/Ascii.h"
#include "fakes/FakeAdapterList.h"
#include "framework/ThreadMessagePump.h"
#include "net/NetworkInfo.h"
#include "platform/SystemFileSystem.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32ProcessRunner.h"
#include "platform/win32/Win32Registry.h"
#include "support/NetworkTestValues.h"
#include "support/TestSettings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

struct Call {
    std::string program; // the stand-in's own path
    std::string commandLine;
};

struct Win32Netsh : ::testing::Test {
    std::string systemNetsh;
    std::string plantedHere;   // in the current folder
    std::string plantedBeside; // beside the test program
    std::string log;

    CFakeAdapterList adapters;
    CWin32Registry registry;
    CRegistryKeys keys;
    CWin32ProcessRunner runner;
    CThreadMessagePump pump;
    CWin32Clock clock;

    void SetUp() override
    {
        const std::string folder = CSystemFileSystem().ExecutableDirectory();
        const std::string standIn = folder + "tolvi_netsh_standin.exe";
        systemNetsh = runner.SystemDirectory() + "\\netsh.exe";
        ASSERT_FALSE(runner.SystemDirectory().empty());
        log = folder + "netsh-calls.log";
        ::DeleteFileA(log.c_str());
        ASSERT_TRUE(::SetEnvironmentVariableA("TOLVI_NETSH_LOG", log.c_str()));

        // Wine's own netsh is kept and put back afterwards.
        ::CopyFileA(systemNetsh.c_str(), (systemNetsh + ".wine").c_str(), TRUE);
        ASSERT_TRUE(::CopyFileA(standIn.c_str(), systemNetsh.c_str(), FALSE)) << systemNetsh;
        char current[MAX_PATH] = {};
        ::GetCurrentDirectoryA(MAX_PATH, current);
        plantedHere = std::string(current) + "\\netsh.exe";
        plantedBeside = folder + "netsh.exe";
        ASSERT_TRUE(::CopyFileA(standIn.c_str(), plantedHere.c_str(), FALSE));
        ASSERT_TRUE(::CopyFileA(standIn.c_str(), plantedBeside.c_str(), FALSE));

        adapters.adapters = {{"{A}", true}, {"{B}", true}, {"{C}", true}};
        keys.SetString(kConnectionClassKey + "\\{A}\\Connection", "Name", "Сеть 2");
        keys.SetString(kConnectionClassKey + "\\{B}\\Connection", "Name", "Lab \"LAN\"");
        keys.SetDword(kInterfacesKey + "{A}", "EnableDHCP", 1);
    }

    void TearDown() override
    {
        ::CopyFileA((systemNetsh + ".wine").c_str(), systemNetsh.c_str(), FALSE);
        ::DeleteFileA(plantedHere.c_str());
        ::DeleteFileA(plantedBeside.c_str());
        ::DeleteFileA(log.c_str());
    }

    std::vector<Call> Calls() const
    {
        std::vector<Call> calls;
        std::ifstream in(log);
        for (std::string line; std::getline(in, line);) {
            const auto bar = line.find('|');
            calls.push_back({line.substr(0, bar), bar == std::string::npos ? "" : line.substr(bar + 1)});
        }
        return calls;
    }

    // Each run's whole command line: the quoted full path, then the command.
    void ExpectCalls(const std::vector<std::string>& parameters) const
    {
        const std::vector<Call> calls = Calls();
        ASSERT_EQ(calls.size(), parameters.size());
        for (std::size_t i = 0; i < calls.size(); ++i) {
            SCOPED_TRACE(parameters[i]);
            EXPECT_EQ(AsciiLowered(calls[i].program), AsciiLowered(systemNetsh));
            EXPECT_EQ(calls[i].commandLine, "\"" + systemNetsh + "\" " + parameters[i]);
        }
    }
};

// The name reaches netsh whole, though the system's code page lacks it.
TEST_F(Win32Netsh, RunsTheSystemNetshOncePerCommandInOrderAndWhatItLeftReadsBackAsAsked)
{
    CNetworkInfo info({adapters, registry, runner, pump, clock});
    ASSERT_STREQ(info.GetConnectionName(0), "Сеть 2");
    const ConnectionSettings asked = Settings(0, 0, 0x0A00A8C0, 0x00FFFFFF, 0x0100A8C0, 0x01010A0A, 0x02010A0A,
                                              0x03010A0A, kFurther, kFurtherGateways);
    EXPECT_FALSE(info.SetAddress(0, asked).empty());
    EXPECT_FALSE(info.SetDns(0, At(0x01010A0A), At(0x02010A0A), At(0x03010A0A)).empty());
    ExpectCalls({
        "interface ip set address name=\"Сеть 2\" source=static addr=192.168.0.10 "
        "mask=255.255.255.0 gateway=192.168.0.1 gwmetric=1",
        "interface ip add address name=\"Сеть 2\" addr=172.16.0.3 mask=255.255.0.0",
        "interface ip add address name=\"Сеть 2\" gateway=10.0.0.2 gwmetric=25",
        "interface ip set dns name=\"Сеть 2\" source=static addr=10.10.1.1 register=PRIMARY",
        "interface ip add dns name=\"Сеть 2\" addr=10.10.1.2 index=2",
        "interface ip add dns name=\"Сеть 2\" addr=10.10.1.3 index=3",
    });
    EXPECT_TRUE(info.GetSettingsInForce(0) == asked);
}

TEST_F(Win32Netsh, RunsNothingForAQuotedNameOrAnUnnamedConnection)
{
    CNetworkInfo info({adapters, registry, runner, pump, clock});
    EXPECT_TRUE(info.SetAddress(1, {}).empty());
    EXPECT_TRUE(info.SetDns(1, At(0), At(0), At(0)).empty());
    EXPECT_EQ(info.GetConnectionName(2), nullptr);
    EXPECT_TRUE(info.SetAddress(2, {}).empty());
    EXPECT_TRUE(info.SetDns(2, At(0), At(0), At(0)).empty());
    EXPECT_TRUE(Calls().empty());
}

TEST_F(Win32Netsh, APlantedNetshNeverRunsEvenWithoutTheSystemOne)
{
    // With the system's netsh gone, a search through the path would find the
    // copies in the current and the program folder.
    ASSERT_TRUE(::DeleteFileA(systemNetsh.c_str()));
    CNetworkInfo info({adapters, registry, runner, pump, clock});
    EXPECT_FALSE(info.SetAddress(0, {}).at(0).bStarted);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(Win32Netsh, AMissingProgramReturnsAtOnceAndSilently)
{
    CNetworkInfo info({adapters, registry, runner, pump, clock});
    EXPECT_FALSE(info.RunNetsh(runner.SystemDirectory() + "\\no-such-netsh.exe", "interface ip show config").bStarted);
    EXPECT_TRUE(Calls().empty());
}

} // namespace
