#include "platform/win32/Win32CodePage.h"

#include "platform/win32/WideText.h"

std::optional<std::string> CWin32CodePage::ToUtf8(std::string_view text) const
{
    if (text.empty())
        return std::string();
    // Widening checks the text against the code page even when it is UTF-8.
    const std::optional<std::wstring> wide = Widened(CP_ACP, text);
    if (!wide)
        return std::nullopt;
    return Narrowed(CP_UTF8, *wide, 0, nullptr);
}

std::optional<std::string> CWin32CodePage::FromUtf8(std::string_view utf8) const
{
    if (utf8.empty())
        return std::string();
    if (::GetACP() == CP_UTF8)
        return std::string(utf8);
    const std::optional<std::wstring> wide = Widened(CP_UTF8, utf8);
    if (!wide)
        return std::nullopt;
    BOOL bUsedDefault = FALSE;
    // Refuses a character the code page has no exact equivalent for rather
    // than writing '?' or a look-alike.
    return Narrowed(CP_ACP, *wide, WC_NO_BEST_FIT_CHARS, &bUsedDefault);
}
