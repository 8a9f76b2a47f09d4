#pragma once

#include <windows.h>

#include <string>

// A popup menu built item by item and shown once at the mouse.
class CPopupMenu {
public:
    CPopupMenu() : m_hMenu(::CreatePopupMenu()) {}
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;
    ~CPopupMenu();

    void Add(UINT nId, const std::string& text, bool bChecked = false, bool bEnabled = true);
    void AddSeparator() { ::AppendMenuW(m_hMenu, MF_SEPARATOR, 0, nullptr); }
    // Shows it for the owner until an item is chosen or it is dismissed;
    // the item's id, or 0.
    UINT Track(HWND hOwner);

    // A name as an item shows it: an ampersand is no mnemonic, and a long
    // name is cut.
    static std::string ItemText(const std::string& name);

private:
    HMENU m_hMenu;
};
