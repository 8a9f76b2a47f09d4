#include "DialogTesting.h"

#include "framework/Wnd.h"
#include "platform/win32/Handle.h"
#include "resource.h"
#include "ui/ApplyDlgProgress.h"
#include "ui/TolviApplyDlgThread.h"

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// What the thread took from its queue, in order, before handling it.
struct Handled {
    UINT message;
    std::string text; // for the two text messages
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Handled&) const = default;
};

std::mutex g_mutex;
std::vector<Handled> g_handled;
std::atomic<int> g_deleted{0};

// The progress thread as it is, with a record of the progress messages it
// handles and of its own end.
class CRecordingApplyDlgThread : public CTolviApplyDlgThread {
public:
    static const CRuntimeClass classCRecordingApplyDlgThread;
    ~CRecordingApplyDlgThread() override { ++g_deleted; }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (!pMsg->hwnd && pMsg->message >= WM_APPLYDLG_SETCAPTION && pMsg->message <= WM_APPLYDLG_CLOSE) {
            const bool text = pMsg->message == WM_APPLYDLG_SETCAPTION || pMsg->message == WM_APPLYDLG_SETTEXT;
            std::lock_guard lock(g_mutex);
            g_handled.push_back({pMsg->message, text ? reinterpret_cast<const char*>(pMsg->wParam) : "",
                                 text ? 0 : pMsg->wParam, pMsg->lParam});
        }
        return CTolviApplyDlgThread::PreTranslateMessage(pMsg);
    }
};
const CRuntimeClass CRecordingApplyDlgThread::classCRecordingApplyDlgThread =
    MakeRuntimeClass<CRecordingApplyDlgThread>("CRecordingApplyDlgThread");

std::vector<Handled> HandledSoFar()
{
    std::lock_guard lock(g_mutex);
    return g_handled;
}

// The progress dialog of a thread, once it exists.
HWND DialogOf(DWORD threadId)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindProgressDialog(threadId)) != nullptr; });
    return found;
}

int PosOf(HWND hDlg)
{
    return static_cast<int>(::SendDlgItemMessageA(hDlg, IDC_APPLY_PROGRESS, PBM_GETPOS, 0, 0));
}

void RangeOf(HWND hDlg, int& lower, int& upper)
{
    PBRANGE range{};
    ::SendDlgItemMessageA(hDlg, IDC_APPLY_PROGRESS, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    lower = range.iLow;
    upper = range.iHigh;
}

// A started progress thread with its handle, so a test can wait for its end.
struct Started {
    DWORD id = 0;
    CHandle thread;
};

Started Start(const CRuntimeClass& runtimeClass)
{
    {
        std::lock_guard lock(g_mutex);
        g_handled.clear();
    }
    g_deleted = 0;
    Started started;
    const CWinThread* pThread = AfxBeginThread(runtimeClass);
    if (!pThread)
        return started;
    started.id = pThread->m_nThreadID;
    // The thread cannot end before it is told to close.
    started.thread = CHandle(::OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, started.id));
    return started;
}

void PostText(DWORD id, UINT message, const std::string& text)
{
    ASSERT_TRUE(::PostThreadMessageA(id, message, PostableText(text.c_str()), 0));
}

void Post(DWORD id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    ASSERT_TRUE(::PostThreadMessageA(id, message, wParam, lParam));
}

// Waits for the thread's end and gives its exit code.
DWORD Ended(const Started& started)
{
    const ThreadEnd end = WaitForThread(started.thread.Get());
    EXPECT_TRUE(end.ended);
    return end.exitCode;
}

TEST(ProgressDialog, PostsMadeAtOnceAfterTheStartAreAllHandledInOrder)
{
    const Started started = Start(CRecordingApplyDlgThread::classCRecordingApplyDlgThread);
    ASSERT_NE(started.id, 0u);
    // Posted before the dialog can exist: they wait in the queue.
    std::vector<Handled> expected{{WM_APPLYDLG_SETCAPTION, "Applying Network Configuration..", 0, 0},
                                  {WM_APPLYDLG_SETRANGE, "", 0, 2},
                                  {WM_APPLYDLG_SETPOS, "", 0, 0}};
    PostText(started.id, WM_APPLYDLG_SETCAPTION, expected[0].text);
    Post(started.id, WM_APPLYDLG_SETRANGE, 0, 2);
    Post(started.id, WM_APPLYDLG_SETPOS, 0);
    // One buffer reused for every text: each post carries its own copy.
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text = "Step " + std::to_string(i);
        PostText(started.id, WM_APPLYDLG_SETTEXT, text);
        Post(started.id, WM_APPLYDLG_SETPOS, static_cast<WPARAM>(i % 3));
        expected.push_back({WM_APPLYDLG_SETTEXT, text, 0, 0});
        expected.push_back({WM_APPLYDLG_SETPOS, "", static_cast<WPARAM>(i % 3), 0});
    }
    text = "overwritten";
    const HWND hDlg = DialogOf(started.id);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return HandledSoFar().size() == expected.size(); }));
    EXPECT_EQ(HandledSoFar(), expected);
    EXPECT_EQ(CWnd::TextOf(::GetDlgItem(hDlg, IDC_APPLY_STATUS)), "Step 39");

    Post(started.id, WM_APPLYDLG_CLOSE);
    EXPECT_EQ(Ended(started), 0u);
    EXPECT_FALSE(::IsWindow(hDlg));
    EXPECT_EQ(g_deleted, 1);
}

TEST(ProgressDialog, ShowsTheCaptionTextRangeAndPositionPosted)
{
    const Started started = Start(CTolviApplyDlgThread::classCTolviApplyDlgThread);
    const HWND hDlg = DialogOf(started.id);
    ASSERT_NE(hDlg, nullptr);
    // Shown right after it is made, by its own thread.
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(hDlg) != FALSE; }));
    // Until the first posts arrive, the template's own texts show.
    EXPECT_EQ(CWnd::TextOf(hDlg), "Apply Dialog");
    EXPECT_EQ(CWnd::TextOf(::GetDlgItem(hDlg, IDC_APPLY_STATUS)), "Preparing..");

    struct Case {
        int lower, upper, pos;
    };
    const Case cases[] = {{0, 2, 1}, {0, 0, 0}, {0, 9, 9}, {0x10003, 0x20007, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lower << ".." << c.upper);
        const std::string text = "Range " + std::to_string(c.upper);
        PostText(started.id, WM_APPLYDLG_SETCAPTION, "Finding Appropriate Configuration..");
        Post(started.id, WM_APPLYDLG_SETRANGE, static_cast<WPARAM>(c.lower), c.upper);
        Post(started.id, WM_APPLYDLG_SETPOS, static_cast<WPARAM>(c.pos));
        PostText(started.id, WM_APPLYDLG_SETTEXT, text);
        ASSERT_TRUE(WaitUntil([&] { return CWnd::TextOf(::GetDlgItem(hDlg, IDC_APPLY_STATUS)) == text; }));
        int lower = -1, upper = -1;
        RangeOf(hDlg, lower, upper);
        // Each bound reaches the bar cut to its low 16 bits.
        EXPECT_EQ(lower, c.lower & 0xFFFF);
        EXPECT_EQ(upper, c.upper & 0xFFFF);
        EXPECT_EQ(PosOf(hDlg), c.pos);
        EXPECT_EQ(CWnd::TextOf(hDlg), "Finding Appropriate Configuration..");
    }
    Post(started.id, WM_APPLYDLG_CLOSE);
    EXPECT_EQ(Ended(started), 0u);
}

TEST(ProgressDialog, UnrelatedMessagesAndKeysChangeNothing)
{
    const Started started = Start(CTolviApplyDlgThread::classCTolviApplyDlgThread);
    const HWND hDlg = DialogOf(started.id);
    ASSERT_NE(hDlg, nullptr);
    PostText(started.id, WM_APPLYDLG_SETCAPTION, "Caption");
    Post(started.id, WM_APPLYDLG_SETRANGE, 0, 4);
    Post(started.id, WM_APPLYDLG_SETPOS, 3);
    PostText(started.id, WM_APPLYDLG_SETTEXT, "Before");
    ASSERT_TRUE(WaitUntil([&] { return CWnd::TextOf(::GetDlgItem(hDlg, IDC_APPLY_STATUS)) == "Before"; }));

    // Other thread messages; progress numbers sent to a window, whose
    // parameters are no texts of ours; Enter and Esc on the hidden buttons.
    Post(started.id, WM_USER + 6, 1, 1);
    Post(started.id, WM_APP, 2, 2);
    ::PostMessageA(hDlg, WM_APPLYDLG_SETTEXT, 0x1234, 0);
    ::PostMessageA(hDlg, WM_APPLYDLG_CLOSE, 0, 0);
    ::PostMessageA(hDlg, WM_KEYDOWN, VK_ESCAPE, 0);
    ::PostMessageA(hDlg, WM_KEYDOWN, VK_RETURN, 0);
    PostText(started.id, WM_APPLYDLG_SETCAPTION, "Caption");
    ASSERT_TRUE(WaitUntil([&] { return CWnd::TextOf(hDlg) == "Caption"; }));
    ::Sleep(100);
    EXPECT_TRUE(::IsWindow(hDlg));
    EXPECT_TRUE(::IsWindowVisible(hDlg));
    EXPECT_EQ(CWnd::TextOf(::GetDlgItem(hDlg, IDC_APPLY_STATUS)), "Before");
    EXPECT_EQ(PosOf(hDlg), 3);
    EXPECT_EQ(::WaitForSingleObject(started.thread.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));

    Post(started.id, WM_APPLYDLG_CLOSE);
    EXPECT_EQ(Ended(started), 0u);
    EXPECT_FALSE(::IsWindow(hDlg));
}

TEST(ProgressDialog, CloseRightAfterATextStillEndsAndLaterPostsAreNeverHandled)
{
    const Started started = Start(CRecordingApplyDlgThread::classCRecordingApplyDlgThread);
    PostText(started.id, WM_APPLYDLG_SETTEXT, "Done.");
    Post(started.id, WM_APPLYDLG_CLOSE);
    PostThreadMessageA(started.id, WM_APPLYDLG_SETPOS, 1, 0); // may find the thread gone
    EXPECT_EQ(Ended(started), 0u);
    const std::vector<Handled> expected{{WM_APPLYDLG_SETTEXT, "Done.", 0, 0}, {WM_APPLYDLG_CLOSE, "", 0, 0}};
    EXPECT_EQ(HandledSoFar(), expected);
    EXPECT_EQ(g_deleted, 1);
}

TEST(ProgressDialog, TheDisplayDrivesANewDialogForEachRun)
{
    CApplyDlgProgress progress;
    // Before a start and after a close nothing is posted anywhere.
    progress.SetText("nowhere");
    EXPECT_EQ(progress.ThreadId(), 0u);
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        progress.Start();
        const DWORD id = progress.ThreadId();
        ASSERT_NE(id, 0u);
        CHandle thread(::OpenThread(SYNCHRONIZE, FALSE, id));
        progress.SetCaption("Applying Network Configuration..");
        progress.SetRange(0, 2);
        progress.SetPos(1);
        progress.SetText("Setting DNS Servers...");
        const HWND hDlg = DialogOf(id);
        ASSERT_NE(hDlg, nullptr);
        ASSERT_TRUE(
            WaitUntil([&] { return CWnd::TextOf(::GetDlgItem(hDlg, IDC_APPLY_STATUS)) == "Setting DNS Servers..."; }));
        EXPECT_EQ(CWnd::TextOf(hDlg), "Applying Network Configuration..");
        EXPECT_EQ(PosOf(hDlg), 1);
        progress.Close();
        EXPECT_EQ(progress.ThreadId(), 0u);
        EXPECT_TRUE(WaitForThread(thread.Get()).ended);
        EXPECT_FALSE(::IsWindow(hDlg));
    }
}

TEST(ProgressDialog, ALongNameEndsInAnEllipsisOnTheScreen)
{
    CApplyDlgProgress progress;
    progress.Start();
    const std::string name(512, 'N');
    const std::string text = "Applying Configuration '" + name + "'..";
    progress.SetCaption("Finding Appropriate Configuration..");
    progress.SetRange(0, 3);
    progress.SetPos(1);
    progress.SetText(text.c_str());
    const HWND hDlg = DialogOf(progress.ThreadId());
    ASSERT_NE(hDlg, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return CWnd::TextOf(::GetDlgItem(hDlg, IDC_APPLY_STATUS)) == text; }));
    ::RedrawWindow(hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::Sleep(300);
    const std::string shot = SaveWindowShot(hDlg, "progress-dialog");
    EXPECT_FALSE(shot.empty());
    progress.Close();
}

} // namespace
