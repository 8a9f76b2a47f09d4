#include "platform/win32/AnsiText.h"

#include <windows.h>

#include <climits>

std::wstring WideOfAnsi(std::string_view text)
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int nText = static_cast<int>(text.size());
    const int nWide = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), nText, nullptr, 0);
    if (nWide <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(nWide), L'\0');
    if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), nText, wide.data(), nWide) != nWide)
        return {};
    return wide;
}

std::string AnsiOfWide(std::wstring_view wide)
{
    if (wide.empty() || wide.size() > INT_MAX)
        return {};
    const int nWide = static_cast<int>(wide.size());
    const int nText = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), nWide, nullptr, 0, nullptr, nullptr);
    if (nText <= 0)
        return {};
    std::string text(static_cast<std::size_t>(nText), '\0');
    if (::WideCharToMultiByte(CP_ACP, 0, wide.data(), nWide, text.data(), nText, nullptr, nullptr) != nText)
        return {};
    return text;
}
