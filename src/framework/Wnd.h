#pragma once

#include <windows.h>

#include <string>

// A window handle with the calls the dialogs make on it. It does not own the
// window: dialogs destroy theirs, controls belong to their dialog.
class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd() = default;

    HWND m_hWnd = nullptr;

    void Attach(HWND hWnd) { m_hWnd = hWnd; }
    HWND Detach()
    {
        const HWND hWnd = m_hWnd;
        m_hWnd = nullptr;
        return hWnd;
    }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }

    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    void SetWindowText(const char* pszText) { ::SetWindowTextA(m_hWnd, pszText); }
    std::string GetWindowText() const { return TextOf(m_hWnd); }
    void SetDlgItemText(int nID, const char* pszText) { ::SetDlgItemTextA(m_hWnd, nID, pszText); }
    std::string GetDlgItemText(int nID) const { return TextOf(GetDlgItem(nID)); }

    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    static HWND GetFocus() { return ::GetFocus(); }
    BOOL EnableDlgItem(int nID, BOOL bEnable = TRUE) const { return ::EnableWindow(GetDlgItem(nID), bEnable); }
    BOOL DestroyWindow() { return ::DestroyWindow(m_hWnd); }

    // A window's whole text, however long.
    static std::string TextOf(HWND hWnd)
    {
        std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(hWnd)), '\0');
        if (!text.empty())
            text.resize(
                static_cast<std::size_t>(::GetWindowTextA(hWnd, text.data(), static_cast<int>(text.size() + 1))));
        return text;
    }

protected:
    // A list entry's whole text, by the control's pair of length and text
    // messages; empty when there is no such entry.
    std::string ItemText(UINT lengthMessage, UINT textMessage, int nIndex) const
    {
        const LRESULT length = SendMessage(lengthMessage, static_cast<WPARAM>(nIndex));
        if (length < 0)
            return {};
        std::string text(static_cast<std::size_t>(length), '\0');
        const LRESULT copied =
            SendMessage(textMessage, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
        return text;
    }

    static int Int(LRESULT result) { return static_cast<int>(result); }
    static LPARAM Text(const char* psz) { return reinterpret_cast<LPARAM>(psz); }
};
