#pragma once

#include <cstddef>
#include <cstdint>

// Room for "255.255.255.255" and its terminator.
constexpr std::size_t kAddressTextSize = 16;

// Writes the dotted text of an address value (least significant byte first)
// into a buffer of at least kAddressTextSize characters.
void FormatAddress(std::uint32_t dwAddress, char* pszText);

// Reads up to four dotted numbers; each is weighted by its byte position and
// the sum wraps in 32 bits, so 1.2.300.4 carries into the fourth byte.
// Numbers that are missing count as 0.
void ParseAddress(const char* pszText, std::uint32_t& dwAddress);
std::uint32_t ParseAddress(const char* pszText);
