#include "ui/tray/TrayIcon.h"

#include "platform/MessageBox.h"
#include "platform/win32/WideText.h"

#include <cwchar>

namespace {

constexpr UINT kIconId = 1;

// Cut to the field, with an ellipsis when cut, and always terminated; a
// character outside the basic plane is never cut in half.
template <std::size_t N>
void CopyBounded(wchar_t (&field)[N], const std::string& text)
{
    static_assert(N > 4);
    const std::wstring wide = Wide(text);
    if (wide.size() < N) {
        std::wmemcpy(field, wide.c_str(), wide.size() + 1);
        return;
    }
    std::size_t n = N - 4;
    if (IS_HIGH_SURROGATE(wide[n - 1]))
        --n;
    std::wmemcpy(field, wide.data(), n);
    std::wmemcpy(field + n, L"...", 4);
}

DWORD BalloonIcon(unsigned icon)
{
    switch (icon & 0xF0) {
    case mb::kIconError:
        return NIIF_ERROR;
    case mb::kIconWarning:
        return NIIF_WARNING;
    default:
        return NIIF_INFO;
    }
}

} // namespace

NOTIFYICONDATAW CTrayIcon::Data(UINT flags) const
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = m_hWnd;
    data.uID = kIconId;
    data.uFlags = flags;
    return data;
}

bool CTrayIcon::Add()
{
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    data.uCallbackMessage = m_nMessage;
    data.hIcon = m_hIcon;
    CopyBounded(data.szTip, m_tip);
    // After a shell restart the old icon is gone; after a failed start it
    // may not be.
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    m_bAdded = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    return m_bAdded;
}

void CTrayIcon::Remove()
{
    if (!m_bAdded)
        return;
    NOTIFYICONDATAW data = Data(0);
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    m_bAdded = false;
}

void CTrayIcon::SetTip(const std::string& tip)
{
    if (tip == m_tip)
        return;
    m_tip = tip;
    if (!m_bAdded)
        return;
    NOTIFYICONDATAW data = Data(NIF_TIP);
    CopyBounded(data.szTip, m_tip);
    ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

bool CTrayIcon::ShowBalloon(const std::string& title, const std::string& text, unsigned icon)
{
    if (!m_bAdded)
        return false;
    NOTIFYICONDATAW data = Data(NIF_INFO);
    CopyBounded(data.szInfoTitle, title);
    CopyBounded(data.szInfo, text);
    data.dwInfoFlags = BalloonIcon(icon);
    return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}
