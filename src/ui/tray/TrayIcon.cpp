#include "ui/tray/TrayIcon.h"

#include "platform/MessageBox.h"

#include <cstring>

namespace {

constexpr UINT kIconId = 1;

// Cut to the field, with an ellipsis when cut, and always terminated.
template <std::size_t N>
void CopyBounded(char (&field)[N], const std::string& text)
{
    static_assert(N > 4);
    if (text.size() < N) {
        std::memcpy(field, text.c_str(), text.size() + 1);
        return;
    }
    std::memcpy(field, text.data(), N - 4);
    std::memcpy(field + N - 4, "...", 4);
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

NOTIFYICONDATAA CTrayIcon::Data(UINT flags) const
{
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = m_hWnd;
    data.uID = kIconId;
    data.uFlags = flags;
    return data;
}

bool CTrayIcon::Add()
{
    NOTIFYICONDATAA data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    data.uCallbackMessage = m_nMessage;
    data.hIcon = m_hIcon;
    CopyBounded(data.szTip, m_tip);
    // After a shell restart the old icon is gone; after a failed start it
    // may not be.
    ::Shell_NotifyIconA(NIM_DELETE, &data);
    m_bAdded = ::Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
    return m_bAdded;
}

void CTrayIcon::Remove()
{
    if (!m_bAdded)
        return;
    NOTIFYICONDATAA data = Data(0);
    ::Shell_NotifyIconA(NIM_DELETE, &data);
    m_bAdded = false;
}

void CTrayIcon::SetTip(const std::string& tip)
{
    if (tip == m_tip)
        return;
    m_tip = tip;
    if (!m_bAdded)
        return;
    NOTIFYICONDATAA data = Data(NIF_TIP);
    CopyBounded(data.szTip, m_tip);
    ::Shell_NotifyIconA(NIM_MODIFY, &data);
}

bool CTrayIcon::ShowBalloon(const std::string& title, const std::string& text, unsigned icon)
{
    if (!m_bAdded)
        return false;
    NOTIFYICONDATAA data = Data(NIF_INFO);
    CopyBounded(data.szInfoTitle, title);
    CopyBounded(data.szInfo, text);
    data.dwInfoFlags = BalloonIcon(icon);
    return ::Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}
