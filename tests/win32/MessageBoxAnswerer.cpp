#include "MessageBoxAnswerer.h"

#include <algorithm>
#include <cstring>

namespace {

// The message text's static; other dialogs' unnamed statics (-1) share it,
// which is why a box must also hold nothing but buttons and statics.
constexpr int kTextId = 0xFFFF;
constexpr DWORD kPollMs = 20;
// The box's thread may be stuck; this thread must never wait on it for long.
constexpr UINT kSendTimeoutMs = 1000;

std::string ClassOf(HWND hWnd)
{
    char name[64];
    const int length = ::GetClassNameA(hWnd, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result)
{
    return ::SendMessageTimeoutA(hWnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

// GetWindowText would send without a time limit to another thread's window.
std::string TextOf(HWND hWnd)
{
    DWORD_PTR length = 0;
    if (!hWnd || !Send(hWnd, WM_GETTEXTLENGTH, 0, 0, length))
        return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!Send(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), copied))
        return {};
    text.resize(std::min<std::size_t>(copied, length));
    return text;
}

BOOL CALLBACK CheckChild(HWND hChild, LPARAM lParam)
{
    const std::string name = ClassOf(hChild);
    if (_stricmp(name.c_str(), "Button") != 0 && _stricmp(name.c_str(), "Static") != 0) {
        *reinterpret_cast<bool*>(lParam) = false;
        return FALSE;
    }
    return TRUE;
}

bool IsMessageBox(HWND hWnd)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    if (processId != ::GetCurrentProcessId() || !::IsWindowVisible(hWnd) || ClassOf(hWnd) != "#32770" ||
        !::GetDlgItem(hWnd, kTextId))
        return false;
    bool onlyButtonsAndStatics = true;
    ::EnumChildWindows(hWnd, CheckChild, reinterpret_cast<LPARAM>(&onlyButtonsAndStatics));
    return onlyButtonsAndStatics;
}

BOOL CALLBACK FindBox(HWND hWnd, LPARAM lParam)
{
    if (!IsMessageBox(hWnd))
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

BOOL CALLBACK FindIcon(HWND hChild, LPARAM lParam)
{
    DWORD_PTR hIcon = 0;
    if (ClassOf(hChild) == "Static" && (::GetWindowLongA(hChild, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        ::IsWindowVisible(hChild) && Send(hChild, STM_GETICON, 0, 0, hIcon) && hIcon) {
        *reinterpret_cast<bool*>(lParam) = true;
        return FALSE;
    }
    return TRUE;
}

bool HasButton(HWND hBox, int nId)
{
    const HWND hButton = ::GetDlgItem(hBox, nId);
    return hButton && ::IsWindowVisible(hButton);
}

// A button that closes the box, for boxes nobody asked for.
int AnyButton(HWND hBox)
{
    for (const int nId : {IDCANCEL, IDNO, IDOK, IDYES, IDABORT, IDIGNORE, IDRETRY, IDTRYAGAIN, IDCONTINUE}) {
        if (HasButton(hBox, nId))
            return nId;
    }
    return IDCANCEL;
}

MessageBoxSeen Inspect(HWND hBox)
{
    MessageBoxSeen seen;
    seen.title = TextOf(hBox);
    seen.text = TextOf(::GetDlgItem(hBox, kTextId));
    seen.hasOk = HasButton(hBox, IDOK);
    seen.hasCancel = HasButton(hBox, IDCANCEL);
    seen.hasYes = HasButton(hBox, IDYES);
    seen.hasNo = HasButton(hBox, IDNO);
    ::EnumChildWindows(hBox, FindIcon, reinterpret_cast<LPARAM>(&seen.hasIcon));
    seen.hOwner = ::GetWindow(hBox, GW_OWNER);
    seen.bOwnerEnabled = seen.hOwner && ::IsWindowEnabled(seen.hOwner);
    return seen;
}

// Posted, so this thread does not wait for the box's answer to return.
void Press(HWND hBox, int nId)
{
    ::PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hBox, nId)));
}

} // namespace

CMessageBoxAnswerer::CMessageBoxAnswerer(std::initializer_list<Answer> answers, DWORD msPerBox)
    : m_answers(answers), m_msPerBox(msPerBox), m_thread(&CMessageBoxAnswerer::Run, this)
{
}

CMessageBoxAnswerer::~CMessageBoxAnswerer()
{
    m_bStop = true;
    m_thread.join();
}

std::vector<MessageBoxSeen> CMessageBoxAnswerer::Seen() const
{
    const std::lock_guard lock(m_mutex);
    return m_seen;
}

void CMessageBoxAnswerer::Run()
{
    for (std::size_t next = 0; next < m_answers.size();) {
        const HWND hBox = WaitForBox();
        if (!hBox)
            return;
        MessageBoxSeen seen = Inspect(hBox);
        const Answer& answer = m_answers[next];
        seen.bExpected = answer.textPart.empty() || seen.text.find(answer.textPart) != std::string::npos;
        seen.nPressed = seen.bExpected ? answer.nButton : AnyButton(hBox);
        std::size_t index = 0;
        {
            const std::lock_guard lock(m_mutex);
            index = m_seen.size();
            m_seen.push_back(seen);
        }
        Press(hBox, seen.nPressed);
        if (!WaitUntilGone(hBox)) {
            // The asked button is not there or does not close this kind of box.
            const int nOther = AnyButton(hBox);
            {
                const std::lock_guard lock(m_mutex);
                m_seen[index].nPressed = nOther;
            }
            Press(hBox, nOther);
            if (!WaitUntilGone(hBox))
                return;
        }
        if (seen.bExpected)
            ++next;
    }
}

HWND CMessageBoxAnswerer::WaitForBox() const
{
    const ULONGLONG start = ::GetTickCount64();
    while (!m_bStop) {
        HWND hBox = nullptr;
        ::EnumWindows(FindBox, reinterpret_cast<LPARAM>(&hBox));
        if (hBox)
            return hBox;
        if (::GetTickCount64() - start >= m_msPerBox)
            break;
        ::Sleep(kPollMs);
    }
    return nullptr;
}

bool CMessageBoxAnswerer::WaitUntilGone(HWND hBox) const
{
    const ULONGLONG start = ::GetTickCount64();
    while (::IsWindow(hBox) && ::IsWindowVisible(hBox)) {
        if (m_bStop || ::GetTickCount64() - start >= m_msPerBox)
            return false;
        ::Sleep(kPollMs);
    }
    return true;
}
