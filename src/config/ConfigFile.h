#pragma once

#include "config/ConfigList.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The layout of Tolvi.cfg: 32-bit little-endian integers, texts in fixed
// NUL-terminated fields, records one after another.
namespace cfgfile {

constexpr std::uint32_t kVersion = 1;

constexpr std::size_t kVersionOffset = 0;
constexpr std::size_t kDefaultConnectionOffset = 4;
constexpr std::size_t kTestAddressOffset = 520;
constexpr std::size_t kDhcpWaitOffset = 524;
constexpr std::size_t kExitAfterApplyOffset = 528;
constexpr std::size_t kExitAfterAutoOffset = 532;
constexpr std::size_t kCountOffset = 536;
constexpr std::size_t kHeaderSize = 540;

constexpr std::size_t kRecordSize = 1068;
constexpr std::size_t kNameOffset = 8;
constexpr std::size_t kConnectionOffset = 521;
constexpr std::size_t kDhcpAddressOffset = 1036;
constexpr std::size_t kDhcpDnsOffset = 1040;
constexpr std::size_t kIpAddressOffset = 1044;
constexpr std::size_t kSubnetMaskOffset = 1048;
constexpr std::size_t kGatewayOffset = 1052;
constexpr std::size_t kDns1Offset = 1056;
constexpr std::size_t kDns2Offset = 1060;
constexpr std::size_t kDns3Offset = 1064;

static_assert(kDefaultConnectionOffset + kDefaultConnectionSize == kTestAddressOffset);
static_assert(kNameOffset + kNameSize == kConnectionOffset);
static_assert(kConnectionOffset + kConnectionSize + 2 == kDhcpAddressOffset);
static_assert(kDns3Offset + 4 == kRecordSize);

} // namespace cfgfile

// Appends the file's configurations to the list and, when the preferences
// could be read, fills them. Never reads past the bytes given.
LoadResult DecodeConfigFile(std::span<const std::uint8_t> bytes, CConfigList& list);

std::vector<std::uint8_t> EncodeConfigFile(const CConfigList& list);

// Whether the bytes already hold the list's content; link words, padding and
// bytes after a terminator do not count.
bool ConfigFileMatches(std::span<const std::uint8_t> bytes, const CConfigList& list);
