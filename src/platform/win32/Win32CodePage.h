#pragma once

#include "platform/CodePage.h"

// The system's ANSI code page (CP_ACP), in which older configuration files
// hold their names.
class CWin32CodePage final : public ICodePage {
public:
    std::optional<std::string> ToUtf8(std::string_view text) const override;
    std::optional<std::string> FromUtf8(std::string_view utf8) const override;
};
