#pragma once

#include "config/ConfigList.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class ICodePage;

// The layout of Tolvi.cfg: 32-bit little-endian integers, texts in fixed
// NUL-terminated fields, records one after another.
namespace cfgfile {

// Version 1 holds texts in the system's code page, one address and one
// gateway. Version 2 holds UTF-8 texts; each record is version 1's followed
// by the further addresses and gateways, and the file ends in a CRC-32 of
// everything before it.
constexpr std::uint32_t kVersion1 = 1;
constexpr std::uint32_t kVersion2 = 2;

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

// Version 2's record: a count, then four places of (address, mask); a
// count, then four places of (gateway, metric). Places past a count are 0.
constexpr std::size_t kAddressCountOffset = 1068;
constexpr std::size_t kAddressesOffset = 1072;
constexpr std::size_t kGatewayCountOffset = 1104;
constexpr std::size_t kGatewaysOffset = 1108;
constexpr std::size_t kRecordSize2 = 1140;
constexpr std::size_t kChecksumSize = 4;

static_assert(kDefaultConnectionOffset + kDefaultConnectionSize == kTestAddressOffset);
static_assert(kNameOffset + kNameSize == kConnectionOffset);
static_assert(kConnectionOffset + kConnectionSize + 2 == kDhcpAddressOffset);
static_assert(kDns3Offset + 4 == kRecordSize);
static_assert(kAddressesOffset + 8 * MoreAddresses::capacity() == kGatewayCountOffset);
static_assert(kGatewaysOffset + 8 * MoreGateways::capacity() == kRecordSize2);

} // namespace cfgfile

// Appends the file's configurations to the list and, when the preferences
// could be read, fills them; texts of version 1 are converted from the code
// page. Never reads past the bytes given.
LoadResult DecodeConfigFile(std::span<const std::uint8_t> bytes, const ICodePage& codePage, CConfigList& list);

// Version 1 while every configuration fits it (no further address or
// gateway, every text the same after a trip through the code page),
// otherwise version 2.
std::vector<std::uint8_t> EncodeConfigFile(const CConfigList& list, const ICodePage& codePage);

// Whether the bytes, of either version, already hold the list's content;
// link words, padding, bytes after a terminator and places past a count do
// not count. A version 2 file must be whole, its checksum right.
bool ConfigFileMatches(std::span<const std::uint8_t> bytes, const CConfigList& list, const ICodePage& codePage);
