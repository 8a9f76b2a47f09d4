#include "ui/tray/PopupMenu.h"

#include "platform/win32/WideText.h"

namespace {
// Items show this much of a long name; the caller keeps it whole.
constexpr std::size_t kItemNameLength = 64;
} // namespace

CPopupMenu::~CPopupMenu()
{
    if (m_hMenu)
        ::DestroyMenu(m_hMenu);
}

void CPopupMenu::Add(UINT nId, const std::string& text, bool bChecked, bool bEnabled)
{
    const UINT flags = MF_STRING | (bChecked ? UINT{MF_CHECKED} : 0) | (bEnabled ? 0 : UINT{MF_GRAYED});
    ::AppendMenuW(m_hMenu, flags, nId, Wide(text).c_str());
}

UINT CPopupMenu::Track(HWND hOwner)
{
    POINT cursor{};
    ::GetCursorPos(&cursor);
    // Without the foreground a click elsewhere would not close the menu.
    ::SetForegroundWindow(hOwner);
    const BOOL nId = ::TrackPopupMenu(m_hMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, cursor.x, cursor.y, 0,
                                      hOwner, nullptr);
    // The owner must take a message after the menu for it to close for good.
    ::PostMessageW(hOwner, WM_NULL, 0, 0);
    return static_cast<UINT>(nId);
}

std::string CPopupMenu::ItemText(const std::string& name)
{
    std::string text;
    std::size_t nCharacters = 0;
    for (const char c : name) {
        // Counted by the first byte of each UTF-8 sequence.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && nCharacters++ == kItemNameLength)
            return text + "...";
        text += c;
        if (c == '&')
            text += '&';
    }
    return text;
}
