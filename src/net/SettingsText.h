#pragma once

#include <string>
#include <string_view>
#include <vector>

// The items of a registry value that lists addresses or numbers, split at
// any run of spaces and commas. The strings of a multi-string are items too,
// up to its empty one; any other text ends at its first NUL.
std::vector<std::string> SettingsItems(std::string_view data, bool bMultiString);
