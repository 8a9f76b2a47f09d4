// What waiting for netsh costs the waiting thread: its CPU time while a
// stand-in runs for 3 seconds, and how late the messages posted to its
// window meanwhile are handled. The 1-ms polling wait is measured beside it.
#include "framework/ThreadMessagePump.h"
#include "platform/SystemFileSystem.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32ProcessRunner.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace {

constexpr UINT kStamp = WM_APP + 1;
LARGE_INTEGER g_frequency;
std::vector<double> g_delays; // milliseconds

double Now()
{
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(g_frequency.QuadPart);
}

LRESULT CALLBACK Proc(HWND h, UINT message, WPARAM w, LPARAM l)
{
    if (message == kStamp) {
        double sent;
        static_assert(sizeof sent == sizeof w);
        std::memcpy(&sent, &w, sizeof sent);
        g_delays.push_back(Now() - sent);
        return 0;
    }
    return ::DefWindowProcA(h, message, w, l);
}

double ThreadCpuMs()
{
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

// The older way: wait 1 ms at a time and pump in between.
void PollingWait(const std::string& file, IMessagePump& pump)
{
    const CHandle process = StartHiddenProcess(file, "").process;
    if (!process)
        return;
    while (::WaitForSingleObject(process.Get(), 1) == WAIT_TIMEOUT) {
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            pump.HandleWaiting();
    }
}

template <typename Wait>
void Measure(const char* name, HWND hWnd, Wait wait)
{
    g_delays.clear();
    std::atomic<bool> running{true};
    std::thread poster([&] {
        while (running) {
            const double sent = Now();
            WPARAM w;
            std::memcpy(&w, &sent, sizeof w);
            ::PostMessageA(hWnd, kStamp, w, 0);
            ::Sleep(10);
        }
    });
    const double cpuBefore = ThreadCpuMs();
    const double start = Now();
    wait();
    const double wall = Now() - start;
    const double cpu = ThreadCpuMs() - cpuBefore;
    running = false;
    poster.join();

    double sum = 0, worst = 0;
    for (const double d : g_delays) {
        sum += d;
        worst = std::max(worst, d);
    }
    std::printf(
        "%-22s wall %6.0f ms  cpu %6.1f ms (%.2f%% of one core)  messages %4zu  delay mean %5.2f ms  max %6.2f ms\n",
        name, wall, cpu, 100.0 * cpu / wall, g_delays.size(),
        g_delays.empty() ? 0.0 : sum / static_cast<double>(g_delays.size()), worst);
}

} // namespace

int main()
{
    ::QueryPerformanceFrequency(&g_frequency);
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "TolviWaitBench";
    ::RegisterClassA(&wc);
    const HWND hWnd =
        ::CreateWindowA("TolviWaitBench", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);

    const std::string standIn = CSystemFileSystem().ExecutableDirectory() + "tolvi_netsh_standin.exe";
    ::SetEnvironmentVariableA("TOLVI_NETSH_LOG", nullptr);
    ::SetEnvironmentVariableA("TOLVI_STANDIN_SLEEP_MS", "3000");
    CWin32ProcessRunner runner;
    CWin32Clock clock;
    CThreadMessagePump pump;
    Measure("wait for input/exit", hWnd, [&] { RunHidden(runner, clock, pump, standIn, "", 60000); });
    Measure("1-ms polling", hWnd, [&] { PollingWait(standIn, pump); });
    ::DestroyWindow(hWnd);
    return 0;
}
