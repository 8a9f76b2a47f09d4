#pragma once

#include "engine/TraySequence.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

// The program's icon in the notification area, removed when this goes.
// Mouse events on it come to the window as the callback message, with the
// mouse message in lParam.
class CTrayIcon final : public CTraySequence::IIcon {
public:
    CTrayIcon(HWND hWnd, UINT nCallbackMessage, HICON hIcon)
        : m_hWnd(hWnd), m_nMessage(nCallbackMessage), m_hIcon(hIcon)
    {
    }
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;
    ~CTrayIcon() override { Remove(); }

    // Adds it, again after the shell restarted; false when there is no shell.
    bool Add() override;
    void Remove();
    bool IsShown() const override { return m_bAdded; }
    // Sent only when it changed; kept for the next Add.
    void SetTip(const std::string& tip);
    // A balloon of the icon with a message box icon flag; false when the
    // icon cannot show one.
    bool ShowBalloon(const std::string& title, const std::string& text, unsigned icon);

private:
    NOTIFYICONDATAW Data(UINT flags) const;

    HWND m_hWnd;
    UINT m_nMessage;
    HICON m_hIcon;
    std::string m_tip;
    bool m_bAdded = false;
};
