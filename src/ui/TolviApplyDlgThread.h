#pragma once

#include "framework/WinThread.h"
#include "ui/TolviApplyDlg.h"

#include <memory>

// Thread messages that drive the progress dialog. A text is posted as a
// copy made by PostableText; the thread frees it once shown.
constexpr UINT WM_APPLYDLG_SETCAPTION = WM_USER + 1; // wParam: text
constexpr UINT WM_APPLYDLG_SETTEXT = WM_USER + 2;    // wParam: text
constexpr UINT WM_APPLYDLG_SETRANGE = WM_USER + 3;   // wParam: lower, lParam: upper
constexpr UINT WM_APPLYDLG_SETPOS = WM_USER + 4;     // wParam: position
constexpr UINT WM_APPLYDLG_CLOSE = WM_USER + 5;

// A copy of the text for a post; free it with TakePostedText if the post fails.
WPARAM PostableText(const char* pszText);
std::unique_ptr<char[]> TakePostedText(WPARAM wParam);

// The thread that owns the progress dialog, shows it and ends with it.
class CTolviApplyDlgThread : public CWinThread {
public:
    static const CRuntimeClass classCTolviApplyDlgThread;

    BOOL InitInstance() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CTolviApplyDlg m_dlg;
};
