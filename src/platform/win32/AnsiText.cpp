#include "platform/win32/AnsiText.h"

#include <climits>

// The calls fail on an empty input, so an empty text gives none.
std::optional<std::wstring> Widened(UINT codePage, std::string_view text)
{
    if (text.empty() || text.size() > INT_MAX)
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

std::optional<std::string> Narrowed(UINT codePage, std::wstring_view wide, DWORD flags, BOOL* pbUsedDefault)
{
    if (wide.empty() || wide.size() > INT_MAX)
        return std::nullopt;
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

std::wstring WideOfAnsi(std::string_view text)
{
    return Widened(CP_ACP, text).value_or(std::wstring());
}

std::string AnsiOfWide(std::wstring_view wide)
{
    return Narrowed(CP_ACP, wide, 0, nullptr).value_or(std::string());
}
