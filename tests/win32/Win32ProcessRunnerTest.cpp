#include "platform/win32/Win32ProcessRunner.h"
#include "framework/ThreadMessagePump.h"
#include "platform/SystemFileSystem.h"
#include "platform/win32/Win32Clock.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kLimit = 60000;

// Counts the timer messages its window receives.
struct TimerWindow {
    HWND hWnd = nullptr;
    static inline int ticks = 0;

    static LRESULT CALLBACK Proc(HWND h, UINT message, WPARAM w, LPARAM l)
    {
        if (message == WM_TIMER) {
            ++ticks;
            return 0;
        }
        return ::DefWindowProcA(h, message, w, l);
    }

    TimerWindow()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "TolviTimerWindow";
        ::RegisterClassA(&wc);
        hWnd = ::CreateWindowA("TolviTimerWindow", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        ticks = 0;
    }
    ~TimerWindow() { ::DestroyWindow(hWnd); }
};

struct CountingPump final : IMessagePump {
    CThreadMessagePump pump;
    int calls = 0;
    void HandleWaiting() override
    {
        ++calls;
        pump.HandleWaiting();
    }
};

std::string StandIn()
{
    return CSystemFileSystem().ExecutableDirectory() + "tolvi_netsh_standin.exe";
}

TEST(Win32ProcessRunner, HandlesTheThreadsMessagesWhileTheProgramRuns)
{
    TimerWindow window;
    ASSERT_NE(window.hWnd, nullptr);
    ASSERT_NE(::SetTimer(window.hWnd, 1, 20, nullptr), 0u);
    ::SetEnvironmentVariableA("TOLVI_NETSH_LOG", nullptr);
    ::SetEnvironmentVariableA("TOLVI_STANDIN_SLEEP_MS", "600");
    CWin32ProcessRunner runner;
    CWin32Clock clock;
    CountingPump pump;
    const DWORD start = ::GetTickCount();
    // The stand-in echoes the command in the OEM code page, as netsh does:
    // the e acute goes there as 0x82 and comes back as UTF-8.
    const ProcessResult result = RunHidden(runner, clock, pump, StandIn(), "interface ip show \xC3\xA9", kLimit);
    const DWORD elapsed = ::GetTickCount() - start;
    ::SetEnvironmentVariableA("TOLVI_STANDIN_SLEEP_MS", nullptr);
    ::KillTimer(window.hWnd, 1);

    EXPECT_TRUE(result.bStarted);
    EXPECT_EQ(result.exitCode, 1u); // as netsh answers a command it does not know
    EXPECT_EQ(result.output, "The following command was not found: interface ip show \xC3\xA9.\r\n");
    EXPECT_GE(elapsed, 550u); // it waited for the program to end
    EXPECT_GE(TimerWindow::ticks, 5);
    EXPECT_GE(pump.calls, 5);
}

TEST(Win32ProcessRunner, AProgramThatCannotStartIsReportedWithoutWaiting)
{
    CWin32ProcessRunner runner;
    CWin32Clock clock;
    CountingPump pump;
    EXPECT_FALSE(RunHidden(runner, clock, pump, "C:\\no\\such\\program.exe", "", kLimit).bStarted);
    EXPECT_EQ(pump.calls, 0);
}

TEST(Win32ProcessRunner, AQuitMessageStaysForTheThreadsOwnLoop)
{
    ::SetEnvironmentVariableA("TOLVI_STANDIN_SLEEP_MS", "200");
    ::PostQuitMessage(3);
    CWin32ProcessRunner runner;
    CWin32Clock clock;
    CountingPump pump;
    EXPECT_TRUE(RunHidden(runner, clock, pump, StandIn(), "", kLimit).bStarted);
    ::SetEnvironmentVariableA("TOLVI_STANDIN_SLEEP_MS", nullptr);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST(Win32ProcessRunner, SystemDirectoryIsTheSystemFolderWithoutASeparator)
{
    const std::string folder = CWin32ProcessRunner().SystemDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_NE(::GetFileAttributesA((folder + "\\kernel32.dll").c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
