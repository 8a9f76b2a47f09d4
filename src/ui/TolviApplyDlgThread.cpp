#include "ui/TolviApplyDlgThread.h"

#include <cstring>

const CRuntimeClass CTolviApplyDlgThread::classCTolviApplyDlgThread =
    MakeRuntimeClass<CTolviApplyDlgThread>("CTolviApplyDlgThread");

WPARAM PostableText(const char* pszText)
{
    const std::size_t n = pszText ? std::strlen(pszText) : 0;
    char* pszCopy = new char[n + 1];
    if (n)
        std::memcpy(pszCopy, pszText, n);
    pszCopy[n] = '\0';
    return reinterpret_cast<WPARAM>(pszCopy);
}

std::unique_ptr<char[]> TakePostedText(WPARAM wParam)
{
    return std::unique_ptr<char[]>(reinterpret_cast<char*>(wParam));
}

BOOL CTolviApplyDlgThread::InitInstance()
{
    m_dlg.Create(CTolviApplyDlg::IDD, nullptr);
    m_dlg.ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CTolviApplyDlgThread::PreTranslateMessage(MSG* pMsg)
{
    // Only thread messages: a window message with one of these numbers
    // carries no text of ours.
    if (!pMsg->hwnd) {
        switch (pMsg->message) {
        case WM_APPLYDLG_SETCAPTION:
            m_dlg.SetWindowText(TakePostedText(pMsg->wParam).get());
            break;
        case WM_APPLYDLG_SETTEXT:
            m_dlg.SetDlgItemText(IDC_APPLY_STATUS, TakePostedText(pMsg->wParam).get());
            break;
        case WM_APPLYDLG_SETRANGE:
            m_dlg.m_progress.SetRange(static_cast<int>(pMsg->wParam), static_cast<int>(pMsg->lParam));
            break;
        case WM_APPLYDLG_SETPOS:
            m_dlg.m_progress.SetPos(static_cast<int>(pMsg->wParam));
            break;
        case WM_APPLYDLG_CLOSE:
            m_dlg.DestroyWindow();
            AfxEndThread(0, TRUE);
            return TRUE;
        default:
            break;
        }
    }
    return CWinThread::PreTranslateMessage(pMsg);
}
