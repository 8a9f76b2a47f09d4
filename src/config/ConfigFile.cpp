#include "config/ConfigFile.h"

#include "config/Crc32.h"
#include "config/FieldText.h"
#include "config/Utf8.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

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

Ipv4Addr ReadAddress(const std::uint8_t* p)
{
    return Ipv4Addr::FromValue(ReadU32(p));
}

void WriteU32(std::uint8_t* p, std::uint32_t value)
{
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
    p[2] = static_cast<std::uint8_t>(value >> 16);
    p[3] = static_cast<std::uint8_t>(value >> 24);
}

struct Layout {
    std::uint32_t version;
    std::size_t nRecordSize;
    std::size_t nTrailerSize;
};

constexpr Layout kLayout1{kVersion1, kRecordSize, 0};
constexpr Layout kLayout2{kVersion2, kRecordSize2, kChecksumSize};

// None for a file too short for its preferences or of another version.
const Layout* LayoutOf(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kCountOffset)
        return nullptr;
    const std::uint32_t version = ReadU32(bytes.data() + kVersionOffset);
    return version == kVersion1 ? &kLayout1 : version == kVersion2 ? &kLayout2 : nullptr;
}

// For a file that holds its count.
std::size_t RecordsPresent(std::span<const std::uint8_t> bytes, const Layout& layout)
{
    return (bytes.size() - kHeaderSize) / layout.nRecordSize;
}

// Exactly the records its count gives and, in version 2, its checksum.
bool IsWhole(std::span<const std::uint8_t> bytes, const Layout& layout)
{
    const std::size_t count = ReadU32(bytes.data() + kCountOffset);
    if (count > RecordsPresent(bytes, layout) ||
        bytes.size() != kHeaderSize + count * layout.nRecordSize + layout.nTrailerSize)
        return false;
    if (layout.nTrailerSize == 0)
        return true;
    const std::size_t body = bytes.size() - kChecksumSize;
    return Crc32(bytes.first(body)) == ReadU32(bytes.data() + body);
}

// Stored texts as memory keeps them: UTF-8 within their field. A text that
// is damaged (no terminator, not valid in the file's encoding, too long once
// converted) sets `damaged`; one that is not valid keeps its ASCII
// characters and gets '?' for the rest.
class CTextReader {
public:
    // Without a code page the file holds UTF-8.
    explicit CTextReader(const ICodePage* pCodePage) : m_pCodePage(pCodePage) {}

    // The view may point into `scratch`.
    std::string_view Read(const std::uint8_t* p, std::size_t nFieldSize, std::string& scratch, bool& damaged) const
    {
        const auto* text = reinterpret_cast<const char*>(p);
        const auto* end = static_cast<const char*>(std::memchr(text, 0, nFieldSize));
        damaged |= end == nullptr;
        std::size_t n = end ? static_cast<std::size_t>(end - text) : nFieldSize - 1;
        if (!m_pCodePage) {
            n = end ? n : Utf8CutPoint(text, n);
            if (IsUtf8({text, n}))
                return {text, n};
        } else if (std::optional<std::string> utf8 = m_pCodePage->ToUtf8({text, n})) {
            scratch = std::move(*utf8);
            if (scratch.size() >= nFieldSize) {
                damaged = true;
                scratch.resize(Utf8CutPoint(scratch.data(), nFieldSize - 1));
            }
            return scratch;
        }
        damaged = true;
        scratch.assign(text, n);
        std::replace_if(
            scratch.begin(), scratch.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }, '?');
        return scratch;
    }

private:
    const ICodePage* m_pCodePage;
};

// Writes texts into their zeroed fields. In the code page, a text must come
// back from it unchanged and fit its field, or version 1 cannot hold it.
class CTextWriter {
public:
    // Without a code page the file holds UTF-8.
    explicit CTextWriter(const ICodePage* pCodePage) : m_pCodePage(pCodePage) {}

    bool Write(std::uint8_t* p, std::string_view utf8, std::size_t nFieldSize) const
    {
        if (!m_pCodePage) {
            std::memcpy(p, utf8.data(), std::min(utf8.size(), nFieldSize - 1));
            return true;
        }
        const std::optional<std::string> stored = m_pCodePage->FromUtf8(utf8);
        if (!stored || stored->size() >= nFieldSize || m_pCodePage->ToUtf8(*stored) != utf8)
            return false;
        std::memcpy(p, stored->data(), stored->size());
        return true;
    }

private:
    const ICodePage* m_pCodePage;
};

// 0.0.0.0 can never answer: such a file means the default.
std::uint32_t ReadTestAddress(const std::uint8_t* data)
{
    const std::uint32_t stored = ReadU32(data + kTestAddressOffset);
    return stored != 0 ? stored : kDefaultTestAddress;
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
        return {ReadI32(r + kDhcpAddressOffset),    ReadI32(r + kDhcpDnsOffset),     ReadAddress(r + kIpAddressOffset),
                ReadAddress(r + kSubnetMaskOffset), ReadAddress(r + kGatewayOffset), ReadAddress(r + kDns1Offset),
                ReadAddress(r + kDns2Offset),       ReadAddress(r + kDns3Offset)};
    }
    void Write(std::uint8_t* r) const
    {
        WriteU32(r + kDhcpAddressOffset, static_cast<std::uint32_t>(bDhcpAddress));
        WriteU32(r + kDhcpDnsOffset, static_cast<std::uint32_t>(bDhcpDns));
        WriteU32(r + kIpAddressOffset, ipAddress.Value());
        WriteU32(r + kSubnetMaskOffset, subnetMask.Value());
        WriteU32(r + kGatewayOffset, gateway.Value());
        WriteU32(r + kDns1Offset, dns1.Value());
        WriteU32(r + kDns2Offset, dns2.Value());
        WriteU32(r + kDns3Offset, dns3.Value());
    }
    bool operator==(const NumericFields&) const = default;
};

// A version 2 record's further addresses and gateways. A count beyond the
// places is damage, and that list is left empty: its entries cannot be
// trusted.
struct MoreFields {
    MoreAddresses addresses;
    MoreGateways gateways;
    bool bSound = true;

    static MoreFields Read(const std::uint8_t* r)
    {
        MoreFields more;
        const std::uint32_t nAddresses = ReadU32(r + kAddressCountOffset);
        const std::uint32_t nGateways = ReadU32(r + kGatewayCountOffset);
        more.bSound = nAddresses <= MoreAddresses::capacity() && nGateways <= MoreGateways::capacity();
        for (std::size_t i = 0; nAddresses <= MoreAddresses::capacity() && i < nAddresses; ++i) {
            const std::uint8_t* a = r + kAddressesOffset + 8 * i;
            more.addresses.push_back({ReadAddress(a), ReadAddress(a + 4)});
        }
        for (std::size_t i = 0; nGateways <= MoreGateways::capacity() && i < nGateways; ++i) {
            const std::uint8_t* g = r + kGatewaysOffset + 8 * i;
            more.gateways.push_back({ReadAddress(g), ReadU32(g + 4)});
        }
        return more;
    }
    static void Write(std::uint8_t* r, const CONFIGURATION& c)
    {
        WriteU32(r + kAddressCountOffset, static_cast<std::uint32_t>(c.moreAddresses.size()));
        for (std::size_t i = 0; i < c.moreAddresses.size(); ++i) {
            WriteU32(r + kAddressesOffset + 8 * i, c.moreAddresses[i].address.Value());
            WriteU32(r + kAddressesOffset + 8 * i + 4, c.moreAddresses[i].mask.Value());
        }
        WriteU32(r + kGatewayCountOffset, static_cast<std::uint32_t>(c.moreGateways.size()));
        for (std::size_t i = 0; i < c.moreGateways.size(); ++i) {
            WriteU32(r + kGatewaysOffset + 8 * i, c.moreGateways[i].gateway.Value());
            WriteU32(r + kGatewaysOffset + 8 * i + 4, c.moreGateways[i].metric);
        }
    }
    bool Match(const CONFIGURATION& c) const
    {
        return bSound && addresses == c.moreAddresses && gateways == c.moreGateways;
    }
};

bool HasMoreFields(const CONFIGURATION& c)
{
    return !c.moreAddresses.empty() || !c.moreGateways.empty();
}

void ReadPreferences(const std::uint8_t* data, const CTextReader& texts, PREFERENCES& prefs, bool& damaged)
{
    std::string scratch;
    CopyToField(prefs.szDefaultConnection,
                texts.Read(data + kDefaultConnectionOffset, kDefaultConnectionSize, scratch, damaged));
    prefs.dwTestAddress = ReadTestAddress(data);
    prefs.nDhcpWait = ReadU32(data + kDhcpWaitOffset);
    prefs.bExitAfterApply = ReadI32(data + kExitAfterApplyOffset);
    prefs.bExitAfterAuto = ReadI32(data + kExitAfterAutoOffset);
}

bool PreferencesMatch(const std::uint8_t* data, const CTextReader& texts, const PREFERENCES& prefs, bool& damaged)
{
    std::string scratch;
    return ReadI32(data + kExitAfterApplyOffset) == prefs.bExitAfterApply &&
           ReadI32(data + kExitAfterAutoOffset) == prefs.bExitAfterAuto &&
           ReadTestAddress(data) == prefs.dwTestAddress && ReadU32(data + kDhcpWaitOffset) == prefs.nDhcpWait &&
           texts.Read(data + kDefaultConnectionOffset, kDefaultConnectionSize, scratch, damaged) ==
               FieldText(prefs.szDefaultConnection, kDefaultConnectionSize);
}

// None when a text has no place in this version.
std::optional<std::vector<std::uint8_t>> Encode(const CConfigList& list, const Layout& layout, const CTextWriter& texts)
{
    std::vector<std::uint8_t> image(kHeaderSize + layout.nRecordSize * list.GetCount() + layout.nTrailerSize, 0);
    std::uint8_t* const data = image.data();
    const PREFERENCES& prefs = list.GetPreferences();
    WriteU32(data + kVersionOffset, layout.version);
    if (!texts.Write(data + kDefaultConnectionOffset, FieldText(prefs.szDefaultConnection, kDefaultConnectionSize),
                     kDefaultConnectionSize))
        return std::nullopt;
    WriteU32(data + kTestAddressOffset, prefs.dwTestAddress);
    WriteU32(data + kDhcpWaitOffset, prefs.nDhcpWait);
    WriteU32(data + kExitAfterApplyOffset, static_cast<std::uint32_t>(prefs.bExitAfterApply));
    WriteU32(data + kExitAfterAutoOffset, static_cast<std::uint32_t>(prefs.bExitAfterAuto));
    WriteU32(data + kCountOffset, static_cast<std::uint32_t>(list.GetCount()));

    std::uint8_t* r = data + kHeaderSize;
    for (const CONFIGURATION& config : list) {
        if (!texts.Write(r + kNameOffset, FieldText(config.szName, kNameSize), kNameSize) ||
            !texts.Write(r + kConnectionOffset, FieldText(config.szConnection, kConnectionSize), kConnectionSize))
            return std::nullopt;
        NumericFields::Of(config).Write(r);
        if (layout.version == kVersion2)
            MoreFields::Write(r, config);
        r += layout.nRecordSize;
    }
    if (layout.nTrailerSize != 0) {
        const std::size_t body = image.size() - kChecksumSize;
        WriteU32(data + body, Crc32({data, body}));
    }
    return image;
}

} // namespace

LoadResult DecodeConfigFile(std::span<const std::uint8_t> bytes, const ICodePage& codePage, CConfigList& list)
{
    const Layout* layout = LayoutOf(bytes);
    if (!layout)
        return LoadResult::Unusable;
    const std::uint8_t* const data = bytes.data();
    const CTextReader texts(layout->version == kVersion1 ? &codePage : nullptr);
    bool damaged = false;
    ReadPreferences(data, texts, list.GetPreferences(), damaged);
    if (bytes.size() < kHeaderSize)
        return LoadResult::Damaged;

    // The count is trusted only as far as the data goes; a wrong checksum
    // is damage, and what still reads whole is kept.
    damaged |= !IsWhole(bytes, *layout);
    const std::size_t n = std::min<std::size_t>(ReadU32(data + kCountOffset), RecordsPresent(bytes, *layout));
    list.Reserve(list.GetCount() + n);
    std::string name;
    std::string connection;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t* r = data + kHeaderSize + i * layout->nRecordSize;
        const std::string_view nameText = texts.Read(r + kNameOffset, kNameSize, name, damaged);
        const std::string_view connectionText = texts.Read(r + kConnectionOffset, kConnectionSize, connection, damaged);
        CONFIGURATION* p = list.Append(nameText, connectionText);
        if (!p) {
            damaged = true;
            continue;
        }
        // Flags are kept as stored, so a file is written back as it was read.
        NumericFields::Read(r).StoreIn(*p);
        if (layout->version == kVersion2) {
            const MoreFields more = MoreFields::Read(r);
            p->moreAddresses = more.addresses;
            p->moreGateways = more.gateways;
            damaged |= !more.bSound;
        }
    }
    return damaged ? LoadResult::Damaged : LoadResult::Loaded;
}

std::vector<std::uint8_t> EncodeConfigFile(const CConfigList& list, const ICodePage& codePage)
{
    if (std::none_of(list.begin(), list.end(), HasMoreFields))
        if (std::optional<std::vector<std::uint8_t>> image = Encode(list, kLayout1, CTextWriter(&codePage)))
            return std::move(*image);
    // UTF-8 has a place for every text.
    return std::move(*Encode(list, kLayout2, CTextWriter(nullptr)));
}

bool ConfigFileMatches(std::span<const std::uint8_t> bytes, const CConfigList& list, const ICodePage& codePage)
{
    const Layout* layout = LayoutOf(bytes);
    if (!layout || bytes.size() < kHeaderSize || (layout->nTrailerSize != 0 && !IsWhole(bytes, *layout)))
        return false;
    const std::uint8_t* const data = bytes.data();
    const bool bVersion1 = layout->version == kVersion1;
    const CTextReader texts(bVersion1 ? &codePage : nullptr);
    // A damaged text never equals what loading it kept.
    bool damaged = false;
    if (!PreferencesMatch(data, texts, list.GetPreferences(), damaged) ||
        ReadU32(data + kCountOffset) != list.GetCount() || RecordsPresent(bytes, *layout) < list.GetCount())
        return false;
    const std::uint8_t* r = data + kHeaderSize;
    std::string scratch;
    for (const CONFIGURATION& config : list) {
        if (!(NumericFields::Read(r) == NumericFields::Of(config)) ||
            texts.Read(r + kNameOffset, kNameSize, scratch, damaged) != FieldText(config.szName, kNameSize) ||
            texts.Read(r + kConnectionOffset, kConnectionSize, scratch, damaged) !=
                FieldText(config.szConnection, kConnectionSize) ||
            !(bVersion1 ? !HasMoreFields(config) : MoreFields::Read(r).Match(config)))
            return false;
        r += layout->nRecordSize;
    }
    return !damaged;
}
