#pragma once

#include "platform/win32/Handle.h"

#include <windows.h>

class CWinThread;

// What starting a thread by its class needs: a way to make the object.
struct CRuntimeClass {
    const char* m_lpszClassName;
    CWinThread* (*m_pfnCreateObject)();
};

// A user-interface thread: InitInstance, then its message loop until
// WM_QUIT or AfxEndThread. The object deletes itself when the thread ends,
// unless m_bAutoDelete is cleared.
class CWinThread {
public:
    CWinThread() = default;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    virtual ~CWinThread() = default;

    // FALSE ends the thread at once, after ExitInstance.
    virtual BOOL InitInstance() { return FALSE; }
    // The thread's exit code.
    virtual int ExitInstance() { return m_nExitCode; }
    void SetExitCode(int nExitCode) { m_nExitCode = nExitCode; }
    // TRUE when it handled the message. For window messages this offers
    // them to the window's dialog; thread messages it leaves alone.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual int Run();

    // The thread object of the calling thread, or nullptr.
    static CWinThread* Current();

    CHandle m_hThread;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;

private:
    friend CWinThread* AfxBeginThread(const CRuntimeClass&, int, UINT, LPSECURITY_ATTRIBUTES);
    friend void AfxEndThread(UINT, BOOL);
    static unsigned __stdcall ThreadEntry(void* pParam);

    HANDLE m_hStarted = nullptr;
    int m_nExitCode = 0;
    bool m_bEnding = false;
    bool m_bDeleteAtEnd = true;
};

// Starts a thread of the class and returns once the new thread can receive
// thread messages, so that nothing posted to m_nThreadID is lost. The object
// may be gone as soon as the thread ends: keep the id, not the pointer.
// nullptr when the thread could not start. There are no creation flags: a
// thread started suspended could not have its queue ready on return.
CWinThread* AfxBeginThread(const CRuntimeClass& runtimeClass, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

// Ends the calling UI thread once the message being handled returns, with
// the exit code and without handling what is still queued. bDelete FALSE
// keeps the thread object.
void AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);

// For a class T with a default constructor: its runtime class.
template <class T>
CRuntimeClass MakeRuntimeClass(const char* pszName)
{
    return {pszName, []() -> CWinThread* { return new T; }};
}
