#include "platform/win32/Win32CodePage.h"

#include <windows.h>

#include <climits>

namespace {

// Both conversions go through UTF-16. The calls fail on an empty input, so
// callers hand over only texts of at least one character.
std::optional<std::wstring> Widen(UINT codePage, std::string_view text)
{
    if (text.size() > INT_MAX)
        return std::nullopt;
    const int nText = static_cast<int>(text.size());
    const int nWide = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), nText, nullptr, 0);
    if (nWide <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(nWide), L'\0');
    if (::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), nText, wide.data(), nWide) != nWide)
        return std::nullopt;
    return wide;
}

// Refuses a character the code page has no exact equivalent for rather than
// writing '?' or a look-alike. pbUsedDefault must be null for UTF-8.
std::optional<std::string> Narrow(UINT codePage, const std::wstring& wide, DWORD flags, BOOL* pbUsedDefault)
{
    const int nWide = static_cast<int>(wide.size());
    const int nText = ::WideCharToMultiByte(codePage, flags, wide.data(), nWide, nullptr, 0, nullptr, pbUsedDefault);
    if (nText <= 0)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(nText), '\0');
    const int nWritten =
        ::WideCharToMultiByte(codePage, flags, wide.data(), nWide, text.data(), nText, nullptr, pbUsedDefault);
    if (nWritten != nText || (pbUsedDefault && *pbUsedDefault))
        return std::nullopt;
    return text;
}

} // namespace

std::optional<std::string> CWin32CodePage::ToUtf8(std::string_view text) const
{
    if (text.empty())
        return std::string();
    // Widening checks the text against the code page even when it is UTF-8.
    const std::optional<std::wstring> wide = Widen(CP_ACP, text);
    if (!wide)
        return std::nullopt;
    return Narrow(CP_UTF8, *wide, 0, nullptr);
}

std::optional<std::string> CWin32CodePage::FromUtf8(std::string_view utf8) const
{
    if (utf8.empty())
        return std::string();
    if (::GetACP() == CP_UTF8)
        return std::string(utf8);
    const std::optional<std::wstring> wide = Widen(CP_UTF8, utf8);
    if (!wide)
        return std::nullopt;
    BOOL bUsedDefault = FALSE;
    return Narrow(CP_ACP, *wide, WC_NO_BEST_FIT_CHARS, &bUsedDefault);
}
