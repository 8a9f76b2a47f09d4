// Applying with the real progress dialog and real hidden processes: the
// dialog must keep answering on its own thread while the main thread waits.
#include "DialogTesting.h"

#include "fakes/FakeClock.h"
#include "fakes/FakeMessageBox.h"
#include "framework/ThreadMessagePump.h"
#include "framework/Wnd.h"
#include "net/NetworkInfo.h"
#include "platform/SystemFileSystem.h"
#include "platform/win32/Handle.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32ProcessRunner.h"
#include "resource.h"
#include "ui/ApplyDlgProgress.h"
#include "ui/DialogOperations.h"

#include <windows.h>

#include <commctrl.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Each command runs the stand-in hidden, as netsh would run, for 400 ms.
class CStandInConnections final : public IConnections {
public:
    std::vector<std::string> commands;

    unsigned GetAdapterCount() const override { return 1; }
    const char* GetConnectionName(unsigned) const override { return "Local Area Network"; }
    NetshRuns SetAddress(unsigned i, const ConnectionSettings& s) override
    {
        m_inForce.bDhcpAddress = s.bDhcpAddress;
        m_inForce.ipAddress = s.ipAddress;
        m_inForce.subnetMask = s.subnetMask;
        m_inForce.gateway = s.gateway;
        return Run("address " + std::to_string(i) + " " + std::to_string(s.ipAddress.Value()) + " " +
                   std::to_string(s.subnetMask.Value()) + " " + std::to_string(s.gateway.Value()));
    }
    NetshRuns SetDns(unsigned i, Ipv4Addr d1, Ipv4Addr d2, Ipv4Addr d3) override
    {
        m_inForce.bDhcpDns = d1.IsNone();
        m_inForce.dns = {d1, d2, d3};
        return Run("dns " + std::to_string(i) + " " + std::to_string(d1.Value()) + " " + std::to_string(d2.Value()) +
                   " " + std::to_string(d3.Value()));
    }
    // Whatever was asked took.
    ConnectionSettings GetSettingsInForce(unsigned) override { return m_inForce; }

private:
    NetshRuns Run(const std::string& command)
    {
        commands.push_back(command);
        const ProcessResult result =
            RunHidden(m_runner, m_clock, m_pump, CSystemFileSystem().ExecutableDirectory() + "tolvi_netsh_standin.exe",
                      command, kNetshTimeLimit);
        return {{command, result.bStarted, result.exitCode, result.output}};
    }

    ConnectionSettings m_inForce;
    CWin32ProcessRunner m_runner;
    CWin32Clock m_clock;
    CThreadMessagePump m_pump;
};

class CNoProbe final : public IEchoProbe {
public:
    int Ping(Ipv4Addr) override
    {
        ADD_FAILURE() << "applying never probes";
        return 0;
    }
};

// A real top-level window standing in for the main dialog.
class CPlainWindow final : public IMainWindow {
public:
    CPlainWindow()
        : m_hWnd(::CreateWindowExA(0, "STATIC", "Main", WS_POPUP | WS_VISIBLE, 600, 400, 200, 100, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~CPlainWindow() override { ::DestroyWindow(m_hWnd); }

    HWND Handle() const { return m_hWnd; }
    bool bEnded = false;

    void Enable(bool bEnable) override { ::EnableWindow(m_hWnd, bEnable); }
    void Show(bool bShow) override { ::ShowWindow(m_hWnd, bShow ? SW_SHOW : SW_HIDE); }
    void Focus() override { ::SetFocus(m_hWnd); }
    void EndAsOk() override { bEnded = true; }
    void RefreshSettings() override {}

private:
    HWND m_hWnd;
};

struct Watch;
extern Watch* g_pWatch;
void Watching(DWORD threadId);

// The real display, telling the watch which thread each run started.
class CWatchedProgress final : public IProgress {
public:
    DWORD threadId = 0;
    CHandle thread;

    void Start() override
    {
        m_progress.Start();
        threadId = m_progress.ThreadId();
        thread = CHandle(::OpenThread(SYNCHRONIZE, FALSE, threadId));
        Watching(threadId);
    }
    void SetCaption(const char* pszText) override { m_progress.SetCaption(pszText); }
    void SetText(const char* pszText) override { m_progress.SetText(pszText); }
    void SetRange(int nLower, int nUpper) override { m_progress.SetRange(nLower, nUpper); }
    void SetPos(int nPos) override { m_progress.SetPos(nPos); }
    void Close() override { m_progress.Close(); }

private:
    CApplyDlgProgress m_progress;
};

// What the progress dialog showed when the main thread's timer looked.
struct Sample {
    std::string text;
    int pos;
    bool operator<(const Sample& other) const { return std::tie(text, pos) < std::tie(other.text, other.pos); }
};

struct Watch {
    DWORD threadId = 0;
    HWND hMain = nullptr;
    std::set<Sample> samples;
    int unanswered = 0;
    bool mainVisible = false;
};
Watch* g_pWatch = nullptr;

void Watching(DWORD threadId)
{
    if (g_pWatch)
        g_pWatch->threadId = threadId;
}

// Runs on the main thread, from the pump of the netsh wait.
void CALLBACK OnSample(HWND, UINT, UINT_PTR, DWORD)
{
    Watch& watch = *g_pWatch;
    watch.mainVisible = watch.mainVisible || ::IsWindowVisible(watch.hMain);
    const HWND hDlg = FindProgressDialog(watch.threadId);
    if (!hDlg)
        return;
    DWORD_PTR pos = 0;
    if (!::SendMessageTimeoutA(::GetDlgItem(hDlg, IDC_APPLY_PROGRESS), PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 200, &pos)) {
        ++watch.unanswered;
        return;
    }
    watch.samples.insert({CWnd::TextOf(::GetDlgItem(hDlg, IDC_APPLY_STATUS)), static_cast<int>(pos)});
}

TEST(ApplyOnWine, TheProgressDialogFollowsEachStepWhileTheMainThreadWaits)
{
    ::SetEnvironmentVariableA("TOLVI_NETSH_LOG", nullptr);
    ::SetEnvironmentVariableA("TOLVI_STANDIN_SLEEP_MS", "400");
    CSystemFileSystem fileSystem;
    CWin32CodePage codePage;
    CConfigList configs(fileSystem, codePage);
    configs.GetPreferences().bExitAfterApply = 0;
    CStandInConnections connections;
    CNoProbe probe;
    CWatchedProgress progress;
    CPlainWindow window;
    CFakeMessageBox messages;
    CFakeClock clock;

    Watch watch;
    watch.hMain = window.Handle();
    g_pWatch = &watch;
    // The timer fires only inside the netsh waits, after the display started.
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 40, OnSample);
    CDialogOperations({configs, connections, probe, progress, clock}, window, messages)
        .Apply({0,
                {false,
                 Ipv4Addr::FromControlOrder(0xC0A80005),
                 Ipv4Addr::FromControlOrder(0xFFFFFF00),
                 Ipv4Addr::FromControlOrder(0xC0A80001),
                 false,
                 {Ipv4Addr::FromControlOrder(0x0A000001), {}, {}}}});
    ::KillTimer(nullptr, timer);
    ::SetEnvironmentVariableA("TOLVI_STANDIN_SLEEP_MS", nullptr);
    g_pWatch = nullptr;

    EXPECT_EQ(connections.commands,
              (std::vector<std::string>{"address 0 83929280 16777215 16820416", "dns 0 16777226 0 0"}));
    EXPECT_TRUE(watch.samples.count({"Setting IP Address, Subnet Mask and Default Gateway...", 0}));
    EXPECT_TRUE(watch.samples.count({"Setting DNS Servers...", 1}));
    EXPECT_EQ(watch.unanswered, 0);
    EXPECT_FALSE(watch.mainVisible); // hidden for the whole run
    EXPECT_TRUE(::IsWindowVisible(window.Handle()));
    EXPECT_TRUE(::IsWindowEnabled(window.Handle()));
    EXPECT_FALSE(window.bEnded);
    EXPECT_TRUE(WaitForThread(progress.thread.Get()).ended);
}

} // namespace
