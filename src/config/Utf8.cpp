#include "config/Utf8.h"

#include <cstdint>

bool IsUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i++]);
        if (lead < 0x80)
            continue;
        std::size_t nTrail = 0;
        std::uint32_t cp = 0;
        std::uint32_t minimum = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            nTrail = 1, cp = lead & 0x1Fu, minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            nTrail = 2, cp = lead & 0x0Fu, minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            nTrail = 3, cp = lead & 0x07u, minimum = 0x10000;
        } else {
            return false;
        }
        if (s.size() - i < nTrail)
            return false;
        for (std::size_t k = 0; k < nTrail; ++k, ++i) {
            const auto trail = static_cast<unsigned char>(s[i]);
            if ((trail & 0xC0u) != 0x80u)
                return false;
            cp = cp << 6 | (trail & 0x3Fu);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
    }
    return true;
}

std::size_t Utf8SequenceLength(char lead)
{
    const auto b = static_cast<unsigned char>(lead);
    return b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
}
