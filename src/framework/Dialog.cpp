#include "framework/Dialog.h"
#include "framework/ThreadMessagePump.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

namespace {

// The dialogs alive, by window: what lets the message loops find the dialog
// a message is meant for. One map for every thread, since a thread-local
// one would be destroyed after its storage under MinGW's emulated TLS.
class CDialogMap {
public:
    void Add(HWND hWnd, CDialog* pDialog)
    {
        std::lock_guard lock(m_mutex);
        m_dialogs[hWnd] = pDialog;
    }
    void Remove(HWND hWnd)
    {
        std::lock_guard lock(m_mutex);
        m_dialogs.erase(hWnd);
    }
    CDialog* Find(HWND hWnd)
    {
        std::lock_guard lock(m_mutex);
        const auto found = m_dialogs.find(hWnd);
        return found == m_dialogs.end() ? nullptr : found->second;
    }

private:
    std::mutex m_mutex;
    std::unordered_map<HWND, CDialog*> m_dialogs;
};

// Never destroyed: a progress thread may still close its dialog while the
// process ends.
CDialogMap& Dialogs()
{
    static CDialogMap* const pDialogs = new CDialogMap;
    return *pDialogs;
}

// Messages whose result a dialog procedure returns itself instead of
// leaving it in DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

// A dialog its template leaves where it was made, over the window that owns
// it, as far as the owner's screen allows; one the template centres, or that
// OnInitDialog moved, stays where it is.
void CenterOverOwner(HWND hWnd, const RECT& made)
{
    const HWND hOwner = ::GetWindow(hWnd, GW_OWNER);
    const LONG_PTR style = ::GetWindowLongPtrW(hWnd, GWL_STYLE);
    RECT now{}, owner{};
    if (!hOwner || (style & (WS_CHILD | DS_CENTER)) || !::IsWindowVisible(hOwner) || ::IsIconic(hOwner) ||
        !::GetWindowRect(hWnd, &now) || !::EqualRect(&now, &made) || !::GetWindowRect(hOwner, &owner))
        return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoW(::MonitorFromWindow(hOwner, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    const LONG width = now.right - now.left, height = now.bottom - now.top;
    LONG x = owner.left + (owner.right - owner.left - width) / 2;
    LONG y = owner.top + (owner.bottom - owner.top - height) / 2;
    x = std::max(work.left, std::min(x, work.right - width));
    y = std::max(work.top, std::min(y, work.bottom - height));
    ::SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool IsInput(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    if (m_hWnd)
        Dialogs().Remove(m_hWnd);
}

HWND CDialog::Make(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    const HWND hParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nIDTemplate), hParent, DialogProc,
                                reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_bModal = false;
    return Make(nIDTemplate, pParentWnd) != nullptr;
}

INT_PTR CDialog::DoModal()
{
    const HWND hOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    const bool bOwnerWasEnabled = hOwner && ::IsWindowEnabled(hOwner);
    m_bModal = true;
    m_bEndModal = false;
    m_nModalResult = -1;
    if (bOwnerWasEnabled)
        ::EnableWindow(hOwner, FALSE);
    if (Make(m_nIDTemplate, m_pParentWnd)) {
        // OnInitDialog may already have ended the run; then it is never shown.
        if (!m_bEndModal && m_hWnd)
            ShowWindow(SW_SHOW);
        while (!m_bEndModal && m_hWnd) {
            MSG msg;
            const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
            if (got == -1)
                break;
            if (got == 0) {
                ::PostQuitMessage(static_cast<int>(msg.wParam)); // for the loop outside
                break;
            }
            PumpMessage(msg);
        }
    }
    // The owner comes back before the dialog goes, so activation returns to it.
    if (bOwnerWasEnabled)
        ::EnableWindow(hOwner, TRUE);
    const INT_PTR result = m_nModalResult;
    m_bModal = false;
    if (m_hWnd) {
        if (hOwner && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(hOwner);
        ::DestroyWindow(m_hWnd); // PostNcDestroy may delete this
    }
    return result;
}

void CDialog::EndDialog(int nResult)
{
    if (!m_bModal)
        return;
    m_nModalResult = nResult;
    m_bEndModal = true;
    if (m_hWnd)
        PostMessage(WM_NULL); // wakes the loop when called from outside a handler
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(*this, bSaveAndValidate != FALSE);
    DoDataExchange(dx);
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange&) {}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Keyboard and mouse only: IsDialogMessage would dispatch anything else
    // itself, behind the loop's back.
    return IsInput(pMsg->message) && ::IsDialogMessageW(m_hWnd, pMsg);
}

CDialog* CDialog::FromHandle(HWND hWnd)
{
    return Dialogs().Find(hWnd);
}

BOOL CDialog::WalkPreTranslateTree(MSG& msg)
{
    for (HWND hWnd = msg.hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CDialog* pDialog = FromHandle(hWnd); pDialog && pDialog->PreTranslateMessage(&msg))
            return TRUE;
        // A top-level window's owner is not the dialog the message is for.
        if (!(::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        CDialog* pDialog = nullptr;
        if (message == WM_INITDIALOG) {
            pDialog = reinterpret_cast<CDialog*>(lParam);
            ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, lParam);
            pDialog->m_hWnd = hWnd;
            Dialogs().Add(hWnd, pDialog);
        } else {
            pDialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        }
        // Nothing reaches the object before WM_INITDIALOG has bound it.
        return pDialog ? pDialog->HandleMessage(message, wParam, lParam) : FALSE;
    } catch (...) {
        return FALSE;
    }
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        RECT made{};
        ::GetWindowRect(m_hWnd, &made);
        const BOOL result = OnInitDialog();
        if (m_hWnd)
            CenterOverOwner(m_hWnd, made);
        return result;
    }
    if (message == WM_NCDESTROY) {
        Dialogs().Remove(m_hWnd);
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
        PostNcDestroy();
        return FALSE;
    }
    LRESULT result = 0;
    if (Dispatch(message, wParam, lParam, result)) {
        if (ReturnsResultDirectly(message))
            return result;
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
    }
    return FALSE;
}

bool CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    for (const MessageMapEntry& entry : GetMessageMap()) {
        if (entry.message != message)
            continue;
        if (message == WM_COMMAND) {
            if (entry.id == LOWORD(wParam) && entry.code == HIWORD(wParam)) {
                (this->*entry.onCommand)();
                return true;
            }
        } else if (message == WM_NOTIFY) {
            NMHDR& header = *reinterpret_cast<NMHDR*>(lParam);
            if (entry.id == header.idFrom && entry.code == header.code) {
                (this->*entry.onNotify)(header, result);
                return true;
            }
        } else if ((this->*entry.onMessage)(wParam, lParam, result)) {
            return true;
        }
    }
    return false;
}
