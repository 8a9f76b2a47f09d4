#pragma once

#include <cstddef>
#include <string_view>

// Text in memory is UTF-8: names, connection names, messages.

// Shortest forms only, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view text);

// How many bytes the character that starts with this byte takes.
std::size_t Utf8SequenceLength(char lead);

// Where to cut a text at or before byte n without splitting a character:
// text[n] is the first byte left out.
inline std::size_t Utf8CutPoint(const char* text, std::size_t n)
{
    for (int k = 0; k < 3 && n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80; ++k)
        --n;
    return n;
}
