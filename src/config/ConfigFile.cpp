#include "config/ConfigFile.h"

#include "config/FieldText.h"

#include <string_view>

using namespace cfgfile;

namespace {

std::uint32_t ReadU32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::int32_t ReadI32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(ReadU32(p));
}

void WriteU32(std::uint8_t* p, std::uint32_t value)
{
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
    p[2] = static_cast<std::uint8_t>(value >> 16);
    p[3] = static_cast<std::uint8_t>(value >> 24);
}

// A stored text as it is kept: up to its terminator, and one without a
// terminator cut at the field's last character, setting `cut`.
std::string_view KeptText(const std::uint8_t* p, std::size_t nFieldSize, bool& cut)
{
    const std::string_view text = FieldText(reinterpret_cast<const char*>(p), nFieldSize);
    if (p[text.size()] != 0)
        cut = true;
    return text;
}

// 0.0.0.0 can never answer: such a file means the default.
std::uint32_t ReadTestAddress(const std::uint8_t* data)
{
    const std::uint32_t stored = ReadU32(data + kTestAddressOffset);
    return stored != 0 ? stored : kDefaultTestAddress;
}

void WriteText(std::uint8_t* p, std::string_view text)
{
    for (char c : text)
        *p++ = static_cast<std::uint8_t>(c);
}

struct NumericFields {
    std::int32_t bDhcpAddress, bDhcpDns;
    Ipv4Addr ipAddress, subnetMask, gateway, dns1, dns2, dns3;

    static NumericFields Of(const CONFIGURATION& c)
    {
        return {c.bDhcpAddress, c.bDhcpDns, c.ipAddress, c.subnetMask, c.gateway, c.dns1, c.dns2, c.dns3};
    }
    void StoreIn(CONFIGURATION& c) const
    {
        c.bDhcpAddress = bDhcpAddress;
        c.bDhcpDns = bDhcpDns;
        c.ipAddress = ipAddress;
        c.subnetMask = subnetMask;
        c.gateway = gateway;
        c.dns1 = dns1;
        c.dns2 = dns2;
        c.dns3 = dns3;
    }
    static NumericFields Read(const std::uint8_t* r)
    {
        const auto address = [r](std::size_t offset) { return Ipv4Addr::FromValue(ReadU32(r + offset)); };
        return {ReadI32(r + kDhcpAddressOffset),
                ReadI32(r + kDhcpDnsOffset),
                address(kIpAddressOffset),
                address(kSubnetMaskOffset),
                address(kGatewayOffset),
                address(kDns1Offset),
                address(kDns2Offset),
                address(kDns3Offset)};
    }
    bool operator==(const NumericFields&) const = default;
};

} // namespace

LoadResult DecodeConfigFile(std::span<const std::uint8_t> bytes, CConfigList& list)
{
    if (bytes.size() < kCountOffset || ReadU32(bytes.data() + kVersionOffset) != kVersion)
        return LoadResult::Unusable;

    const std::uint8_t* const data = bytes.data();
    bool damaged = false;
    PREFERENCES& prefs = list.GetPreferences();
    CopyToField(prefs.szDefaultConnection, KeptText(data + kDefaultConnectionOffset, kDefaultConnectionSize, damaged));
    prefs.dwTestAddress = ReadTestAddress(data);
    prefs.nDhcpWait = ReadU32(data + kDhcpWaitOffset);
    prefs.bExitAfterApply = ReadI32(data + kExitAfterApplyOffset);
    prefs.bExitAfterAuto = ReadI32(data + kExitAfterAutoOffset);
    if (bytes.size() < kHeaderSize)
        return LoadResult::Damaged;

    // The count is trusted only as far as the data goes.
    const std::uint32_t count = ReadU32(data + kCountOffset);
    const std::size_t present = (bytes.size() - kHeaderSize) / kRecordSize;
    damaged |= count != present || (bytes.size() - kHeaderSize) % kRecordSize != 0;
    const std::size_t n = count < present ? count : present;

    list.Reserve(list.GetCount() + n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t* r = data + kHeaderSize + i * kRecordSize;
        const std::string_view name = KeptText(r + kNameOffset, kNameSize, damaged);
        const std::string_view connection = KeptText(r + kConnectionOffset, kConnectionSize, damaged);
        const NumericFields f = NumericFields::Read(r);
        // Flags are kept as stored, so a file is written back as it was read.
        if (CONFIGURATION* p = list.Append(name, connection))
            f.StoreIn(*p);
        else
            damaged = true;
    }
    return damaged ? LoadResult::Damaged : LoadResult::Loaded;
}

std::vector<std::uint8_t> EncodeConfigFile(const CConfigList& list)
{
    std::vector<std::uint8_t> image(kHeaderSize + kRecordSize * list.GetCount(), 0);
    std::uint8_t* const data = image.data();
    const PREFERENCES& prefs = list.GetPreferences();
    WriteU32(data + kVersionOffset, kVersion);
    WriteText(data + kDefaultConnectionOffset, FieldText(prefs.szDefaultConnection, kDefaultConnectionSize));
    WriteU32(data + kTestAddressOffset, prefs.dwTestAddress);
    WriteU32(data + kDhcpWaitOffset, prefs.nDhcpWait);
    WriteU32(data + kExitAfterApplyOffset, static_cast<std::uint32_t>(prefs.bExitAfterApply));
    WriteU32(data + kExitAfterAutoOffset, static_cast<std::uint32_t>(prefs.bExitAfterAuto));
    WriteU32(data + kCountOffset, static_cast<std::uint32_t>(list.GetCount()));

    std::uint8_t* r = data + kHeaderSize;
    for (const CONFIGURATION& config : list) {
        WriteText(r + kNameOffset, FieldText(config.szName, kNameSize));
        WriteText(r + kConnectionOffset, FieldText(config.szConnection, kConnectionSize));
        WriteU32(r + kDhcpAddressOffset, static_cast<std::uint32_t>(config.bDhcpAddress));
        WriteU32(r + kDhcpDnsOffset, static_cast<std::uint32_t>(config.bDhcpDns));
        WriteU32(r + kIpAddressOffset, config.ipAddress.Value());
        WriteU32(r + kSubnetMaskOffset, config.subnetMask.Value());
        WriteU32(r + kGatewayOffset, config.gateway.Value());
        WriteU32(r + kDns1Offset, config.dns1.Value());
        WriteU32(r + kDns2Offset, config.dns2.Value());
        WriteU32(r + kDns3Offset, config.dns3.Value());
        r += kRecordSize;
    }
    return image;
}

bool ConfigFileMatches(std::span<const std::uint8_t> bytes, const CConfigList& list)
{
    if (bytes.size() < kHeaderSize || ReadU32(bytes.data() + kVersionOffset) != kVersion)
        return false;
    const std::uint8_t* const data = bytes.data();
    const PREFERENCES& prefs = list.GetPreferences();
    // A text without its terminator never equals one that has it.
    bool cut = false;
    if (ReadI32(data + kExitAfterApplyOffset) != prefs.bExitAfterApply ||
        ReadI32(data + kExitAfterAutoOffset) != prefs.bExitAfterAuto || ReadTestAddress(data) != prefs.dwTestAddress ||
        ReadU32(data + kDhcpWaitOffset) != prefs.nDhcpWait ||
        KeptText(data + kDefaultConnectionOffset, kDefaultConnectionSize, cut) !=
            FieldText(prefs.szDefaultConnection, kDefaultConnectionSize))
        return false;

    if (ReadU32(data + kCountOffset) != list.GetCount() || (bytes.size() - kHeaderSize) / kRecordSize < list.GetCount())
        return false;
    const std::uint8_t* r = data + kHeaderSize;
    for (const CONFIGURATION& config : list) {
        if (!(NumericFields::Read(r) == NumericFields::Of(config)) ||
            KeptText(r + kNameOffset, kNameSize, cut) != FieldText(config.szName, kNameSize) ||
            KeptText(r + kConnectionOffset, kConnectionSize, cut) != FieldText(config.szConnection, kConnectionSize))
            return false;
        r += kRecordSize;
    }
    return !cut;
}
