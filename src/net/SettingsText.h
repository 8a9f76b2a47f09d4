#pragma once

#include <cstdint>

// Item `k` (from 0) of a registry list of dotted addresses separated by any
// run of spaces and commas, as an address value; 0 when there is none.
std::uint32_t SettingsItem(const char* pszText, unsigned k);
