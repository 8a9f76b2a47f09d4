#pragma once

#include "platform/CodePage.h"

#include <cstdint>

// ISO 8859-1: byte b is U+00bb, so every stored text is valid and nothing
// above U+00FF has an equivalent.
class CLatin1CodePage final : public ICodePage {
public:
    std::optional<std::string> ToUtf8(std::string_view text) const override
    {
        std::string utf8;
        utf8.reserve(text.size());
        for (char c : text) {
            const auto b = static_cast<unsigned char>(c);
            if (b < 0x80) {
                utf8 += c;
            } else {
                utf8 += static_cast<char>(0xC0 | b >> 6);
                utf8 += static_cast<char>(0x80 | (b & 0x3F));
            }
        }
        return utf8;
    }

    std::optional<std::string> FromUtf8(std::string_view utf8) const override
    {
        std::string text;
        text.reserve(utf8.size());
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            const auto lead = static_cast<unsigned char>(utf8[i]);
            if (lead < 0x80) {
                text += utf8[i];
            } else if ((lead == 0xC2 || lead == 0xC3) && i + 1 < utf8.size()) {
                const auto trail = static_cast<unsigned char>(utf8[++i]);
                text += static_cast<char>((lead & 0x03) << 6 | (trail & 0x3F));
            } else {
                return std::nullopt;
            }
        }
        return text;
    }
};
