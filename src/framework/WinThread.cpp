#include "framework/WinThread.h"
#include "framework/Dialog.h"
#include "framework/ThreadMessagePump.h"

#include <process.h>

namespace {

thread_local CWinThread* t_pCurrent = nullptr;

} // namespace

CWinThread* CWinThread::Current()
{
    return t_pCurrent;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg->hwnd)
        return FALSE; // no thread messages of its own
    return CDialog::WalkPreTranslateTree(*pMsg);
}

int CWinThread::Run()
{
    for (;;) {
        MSG msg;
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            m_nExitCode = got == 0 ? static_cast<int>(msg.wParam) : -1;
            return ExitInstance();
        }
        PumpMessage(msg);
        if (m_bEnding)
            return m_nExitCode;
    }
}

unsigned __stdcall CWinThread::ThreadEntry(void* pParam)
{
    CWinThread* pThread = static_cast<CWinThread*>(pParam);
    t_pCurrent = pThread;
    // Making the queue before the starter goes on is what keeps early posts.
    MSG msg;
    ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    ::SetEvent(pThread->m_hStarted);

    int nExitCode = -1;
    try {
        nExitCode = pThread->InitInstance() ? pThread->Run() : pThread->ExitInstance();
    } catch (...) {
        nExitCode = -1;
    }
    t_pCurrent = nullptr;
    if (pThread->m_bAutoDelete && pThread->m_bDeleteAtEnd)
        delete pThread;
    return static_cast<unsigned>(nExitCode);
}

CWinThread* AfxBeginThread(const CRuntimeClass& runtimeClass, int nPriority, UINT nStackSize,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    CWinThread* pThread = runtimeClass.m_pfnCreateObject();
    CHandle started(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!pThread || !started) {
        delete pThread;
        return nullptr;
    }
    pThread->m_hStarted = started.Get();
    unsigned id = 0;
    const uintptr_t handle =
        ::_beginthreadex(lpSecurityAttrs, nStackSize, CWinThread::ThreadEntry, pThread, CREATE_SUSPENDED, &id);
    if (handle == 0) {
        delete pThread;
        return nullptr;
    }
    pThread->m_hThread = CHandle(reinterpret_cast<HANDLE>(handle));
    pThread->m_nThreadID = id;
    ::SetThreadPriority(pThread->m_hThread.Get(), nPriority);
    ::ResumeThread(pThread->m_hThread.Get());
    // Set first thing by the new thread, so this cannot outlast it.
    ::WaitForSingleObject(started.Get(), INFINITE);
    return pThread;
}

void AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    CWinThread* pThread = CWinThread::Current();
    if (!pThread)
        return;
    pThread->m_nExitCode = static_cast<int>(nExitCode);
    pThread->m_bEnding = true;
    pThread->m_bDeleteAtEnd = bDelete != FALSE;
}
