#pragma once

#include "config/Utf8.h"

#include <cstddef>
#include <cstring>
#include <string_view>

// The text a fixed field holds: up to its terminator, and never more than
// the field's last character, so a terminator always fits. A longer text is
// cut before the character that does not fit whole.
inline std::string_view FieldText(const char* psz, std::size_t nFieldSize)
{
    std::size_t n = 0;
    if (!psz || nFieldSize == 0)
        return {};
    while (n + 1 < nFieldSize && psz[n] != '\0')
        ++n;
    return {psz, psz[n] == '\0' ? n : Utf8CutPoint(psz, n)};
}

// Zero-fills the field and copies as much of the text as fits, whole
// characters only.
template <std::size_t N>
void CopyToField(char (&field)[N], std::string_view text)
{
    static_assert(N > 0);
    const std::size_t n = text.size() < N ? text.size() : Utf8CutPoint(text.data(), N - 1);
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, N - n);
}
