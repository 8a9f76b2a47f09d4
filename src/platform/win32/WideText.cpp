#include "platform/win32/WideText.h"

#include <climits>

namespace {

// The calls fail on an empty input, so an empty text gives none.
std::optional<std::wstring> Widen(UINT codePage, DWORD flags, std::string_view text)
{
    if (text.empty() || text.size() > INT_MAX)
        return std::nullopt;
    const int nText = static_cast<int>(text.size());
    const int nWide = ::MultiByteToWideChar(codePage, flags, text.data(), nText, nullptr, 0);
    if (nWide <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(nWide), L'\0');
    if (::MultiByteToWideChar(codePage, flags, text.data(), nText, wide.data(), nWide) != nWide)
        return std::nullopt;
    return wide;
}

} // namespace

std::optional<std::wstring> Widened(UINT codePage, std::string_view text)
{
    return Widen(codePage, MB_ERR_INVALID_CHARS, text);
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

std::wstring Wide(std::string_view utf8)
{
    return Widen(CP_UTF8, 0, utf8).value_or(std::wstring());
}

std::wstring Wide(const char* pszUtf8)
{
    return pszUtf8 ? Wide(std::string_view(pszUtf8)) : std::wstring();
}

std::string Utf8(std::wstring_view wide)
{
    return Narrowed(CP_UTF8, wide, 0, nullptr).value_or(std::string());
}

std::string Utf8OfCodePage(UINT codePage, std::string_view text)
{
    return Utf8(Widen(codePage, 0, text).value_or(std::wstring()));
}

std::string_view WholeCharacters(std::string_view utf8, std::size_t nMaxBytes)
{
    if (utf8.size() <= nMaxBytes)
        return utf8;
    std::size_t n = nMaxBytes;
    // Back to the first byte of the sequence that would be cut.
    while (n > 0 && (static_cast<unsigned char>(utf8[n]) & 0xC0) == 0x80)
        --n;
    return utf8.substr(0, n);
}
