#pragma once

#include <string>
#include <string_view>

// Text in the system's code page as UTF-16 for the wide API; empty when it
// is not valid there.
std::wstring WideOfAnsi(std::string_view text);
// UTF-16 from the wide API in the code page, for the narrow texts the
// program shows; a character the code page lacks becomes '?'.
std::string AnsiOfWide(std::wstring_view wide);
