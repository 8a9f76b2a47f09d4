#pragma once

#include <cstdint>
#include <span>

// CRC-32 as zlib, PNG and ZIP compute it (reflected, polynomial 0xEDB88320),
// so a file's checksum can be checked with common tools.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
