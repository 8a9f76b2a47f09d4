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

// Text in the system's code page as UTF-16 for the wide API; empty when it
// is not valid there.
std::wstring WideOfAnsi(std::string_view text);
// UTF-16 from the wide API in the code page, for the narrow texts the
// program shows; a character the code page lacks becomes '?'.
std::string AnsiOfWide(std::wstring_view wide);
