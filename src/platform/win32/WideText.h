#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// Text in a code page as UTF-16; none when it is not valid there, or empty.
std::optional<std::wstring> Widened(UINT codePage, std::string_view text);
// UTF-16 in a code page. With pbUsedDefault, a character the code page has
// no exact equivalent for gives none rather than '?' (null for UTF-8).
std::optional<std::string> Narrowed(UINT codePage, std::wstring_view wide, DWORD flags, BOOL* pbUsedDefault);

// The program's texts are UTF-8; the wide API takes and gives UTF-16. These
// are the one crossing between them. A sequence that is not valid becomes
// U+FFFD rather than losing the rest of the text; NULs inside pass through.
std::wstring Wide(std::string_view utf8);
// nullptr as an empty text.
std::wstring Wide(const char* pszUtf8);
std::string Utf8(std::wstring_view wide);

// Text in a code page (a console's output) as UTF-8; what the code page
// lacks becomes U+FFFD.
std::string Utf8OfCodePage(UINT codePage, std::string_view text);

// The longest start of a UTF-8 text that has at most nMaxBytes and cuts no
// character in half, for a fixed field.
std::string_view WholeCharacters(std::string_view utf8, std::size_t nMaxBytes);
