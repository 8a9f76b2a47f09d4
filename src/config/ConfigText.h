#pragma once

// The preferences and configurations as a text file a person can read, edit
// and compare: UTF-8, one "key = value" line per field.

#include "config/ConfigList.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct ConfigTextError {
    std::size_t nLine = 0; // 1-based line of the text; 0 when not about one line (writing)
    std::string what;      // a short phrase for the user, in UTF-8: it may quote the text
};

// The preferences and every configuration, in list order, with CRLF line
// ends; the further addresses and gateways only as far as there are any. An
// error, and the text untouched, when a stored text cannot be written on a
// line: not valid UTF-8, or holding a control character.
std::optional<ConfigTextError> WriteConfigText(const CConfigList& list, std::string& text);

// Reads such a text into the list: configurations in text order, one whose
// name exists replacing it in place, others appended; the preferences given
// replace the current ones. All or nothing: on any error the list and its
// preferences are exactly as before.
std::optional<ConfigTextError> ReadConfigText(std::string_view text, CConfigList& list);
