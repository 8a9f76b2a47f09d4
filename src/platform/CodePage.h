#pragma once

#include <optional>
#include <string>
#include <string_view>

// The system's code page, in which names and connection names are stored,
// against UTF-8, in which text files are written.
class ICodePage {
public:
    virtual ~ICodePage() = default;
    // None when the text is not valid in the code page (a lead byte cut off).
    virtual std::optional<std::string> ToUtf8(std::string_view text) const = 0;
    // None when a character has no exact equivalent in the code page. The
    // text is valid UTF-8.
    virtual std::optional<std::string> FromUtf8(std::string_view utf8) const = 0;
};
