#include "framework/ThreadMessagePump.h"
#include "framework/Dialog.h"
#include "framework/WinThread.h"

void PumpMessage(MSG& msg)
{
    CWinThread* pThread = CWinThread::Current();
    const BOOL bTaken = pThread ? pThread->PreTranslateMessage(&msg) : CDialog::WalkPreTranslateTree(msg);
    if (!bTaken) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void CThreadMessagePump::HandleWaiting()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        PumpMessage(msg);
    }
}
