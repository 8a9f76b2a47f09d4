#include "ui/ApplyDlgProgress.h"
#include "ui/TolviApplyDlgThread.h"

void CApplyDlgProgress::Start()
{
    const CWinThread* pThread = AfxBeginThread(CTolviApplyDlgThread::classCTolviApplyDlgThread);
    m_nThreadID = pThread ? pThread->m_nThreadID : 0;
}

void CApplyDlgProgress::SetCaption(const char* pszText)
{
    PostText(WM_APPLYDLG_SETCAPTION, pszText);
}

void CApplyDlgProgress::SetText(const char* pszText)
{
    PostText(WM_APPLYDLG_SETTEXT, pszText);
}

void CApplyDlgProgress::SetRange(int nLower, int nUpper)
{
    Post(WM_APPLYDLG_SETRANGE, static_cast<WPARAM>(nLower), nUpper);
}

void CApplyDlgProgress::SetPos(int nPos)
{
    Post(WM_APPLYDLG_SETPOS, static_cast<WPARAM>(nPos));
}

void CApplyDlgProgress::Close()
{
    Post(WM_APPLYDLG_CLOSE, 0);
    m_nThreadID = 0;
}

void CApplyDlgProgress::Post(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (m_nThreadID)
        ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
}

void CApplyDlgProgress::PostText(UINT message, const char* pszText) const
{
    const WPARAM text = PostableText(pszText);
    if (!m_nThreadID || !::PostThreadMessageW(m_nThreadID, message, text, 0))
        TakePostedText(text); // not delivered: ours to free
}
