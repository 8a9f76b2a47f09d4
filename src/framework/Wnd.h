#pragma once

#include "platform/win32/WideText.h"

#include <windows.h>

#include <string>

// A window handle with the calls the dialogs make on it. It does not own the
// window: dialogs destroy theirs, controls belong to their dialog. Texts are
// UTF-8 on this side and UTF-16 in the window, which is a Unicode one.
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
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }

    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    void SetWindowText(const char* pszText) { ::SetWindowTextW(m_hWnd, Wide(pszText).c_str()); }
    std::string GetWindowText() const { return TextOf(m_hWnd); }
    void SetDlgItemText(int nID, const char* pszText) { ::SetDlgItemTextW(m_hWnd, nID, Wide(pszText).c_str()); }
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
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hWnd)), L'\0');
        if (!text.empty())
            text.resize(
                static_cast<std::size_t>(::GetWindowTextW(hWnd, text.data(), static_cast<int>(text.size() + 1))));
        return Utf8(text);
    }

protected:
    // A list entry's whole text, by the control's pair of length and text
    // messages; empty when there is no such entry.
    std::string ItemText(UINT lengthMessage, UINT textMessage, int nIndex) const
    {
        const LRESULT length = SendMessage(lengthMessage, static_cast<WPARAM>(nIndex));
        if (length < 0)
            return {};
        std::wstring text(static_cast<std::size_t>(length), L'\0');
        const LRESULT copied =
            SendMessage(textMessage, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
        return Utf8(text);
    }
    // A message whose lParam is a text.
    LRESULT SendText(UINT message, WPARAM wParam, const char* pszText) const
    {
        const std::wstring text = Wide(pszText);
        return SendMessage(message, wParam, reinterpret_cast<LPARAM>(text.c_str()));
    }

    static int Int(LRESULT result) { return static_cast<int>(result); }
};
