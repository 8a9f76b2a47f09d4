#include "support/ConfigImage.h"
#include "support/TestSettings.h"

#include "fakes/Latin1CodePage.h"

#include <algorithm>

namespace {

constexpr std::size_t kHeader = 540;
constexpr std::size_t kRecord = 1068;
constexpr std::size_t kRecord2 = 1140;

std::string Stored(const std::string& utf8, std::uint32_t version)
{
    return version == 1 ? CLatin1CodePage().FromUtf8(utf8).value() : utf8;
}

// Bit by bit, apart from the table-driven one under test.
std::uint32_t Crc32(const std::vector<std::uint8_t>& bytes, std::size_t n)
{
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = crc >> 1 ^ (crc & 1 ? 0xEDB88320 : 0);
    }
    return ~crc;
}

void PutRecord(std::vector<std::uint8_t>& b, std::size_t at, const TestRecord& r, std::uint32_t version)
{
    PutText(b, at + 8, Stored(r.name, version));
    PutText(b, at + 521, Stored(r.connection, version));
    PutU32(b, at + 1036, static_cast<std::uint32_t>(r.dhcpAddress));
    PutU32(b, at + 1040, static_cast<std::uint32_t>(r.dhcpDns));
    PutU32(b, at + 1044, r.ip);
    PutU32(b, at + 1048, r.mask);
    PutU32(b, at + 1052, r.gateway);
    PutU32(b, at + 1056, r.dns1);
    PutU32(b, at + 1060, r.dns2);
    PutU32(b, at + 1064, r.dns3);
    if (version == 1)
        return;
    PutU32(b, at + 1068, static_cast<std::uint32_t>(r.moreAddresses.size()));
    for (std::size_t i = 0; i < r.moreAddresses.size(); ++i) {
        PutU32(b, at + 1072 + 8 * i, r.moreAddresses[i].address.Value());
        PutU32(b, at + 1076 + 8 * i, r.moreAddresses[i].mask.Value());
    }
    PutU32(b, at + 1104, static_cast<std::uint32_t>(r.moreGateways.size()));
    for (std::size_t i = 0; i < r.moreGateways.size(); ++i) {
        PutU32(b, at + 1108 + 8 * i, r.moreGateways[i].gateway.Value());
        PutU32(b, at + 1112 + 8 * i, r.moreGateways[i].metric);
    }
}

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

std::vector<std::uint8_t> WithU32(std::vector<std::uint8_t> bytes, std::size_t offset, std::uint32_t value)
{
    PutU32(bytes, offset, value);
    return bytes;
}

const std::vector<TestRecord> kTwo = {
    {.name = "Office", .ip = 0x0A00A8C0, .mask = 0x00FFFFFF, .gateway = 0x0100A8C0},
    {.name = "Home", .dhcpAddress = 1, .dhcpDns = 1},
};

const auto at = Ipv4Addr::FromValue;
const std::vector<TestRecord> kTwoWithMore = {
    {.name = "Office", .moreAddresses = {{at(0x0A0010AC), at(0x0000F0FF)}}, .moreGateways = {{at(0x0200A8C0), 20}}},
    kTwo[1]};

} // namespace

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.at(offset + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetU32(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(bytes.at(offset + static_cast<std::size_t>(i))) << (8 * i);
    return value;
}

void PutText(std::vector<std::uint8_t>& bytes, std::size_t offset, const std::string& text)
{
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::vector<std::uint8_t> MakeConfigFile(const TestPreferences& prefs, const std::vector<TestRecord>& records,
                                         std::uint32_t version)
{
    const std::size_t record = version == 1 ? kRecord : kRecord2;
    std::vector<std::uint8_t> b(kHeader + record * records.size() + (version == 1 ? 0 : 4), 0);
    PutU32(b, 0, version);
    PutText(b, 4, Stored(prefs.defaultConnection, version));
    PutU32(b, 520, prefs.testAddress);
    PutU32(b, 524, prefs.dhcpWait);
    PutU32(b, 528, static_cast<std::uint32_t>(prefs.exitAfterApply));
    PutU32(b, 532, static_cast<std::uint32_t>(prefs.exitAfterAuto));
    PutU32(b, 536, static_cast<std::uint32_t>(records.size()));
    for (std::size_t i = 0; i < records.size(); ++i)
        PutRecord(b, kHeader + record * i, records[i], version);
    return version == 1 ? b : Sealed(b);
}

std::vector<std::uint8_t> Sealed(std::vector<std::uint8_t> bytes)
{
    PutU32(bytes, bytes.size() - 4, Crc32(bytes, bytes.size() - 4));
    return bytes;
}

ConnectionSettings RecordSettings(const TestRecord& r)
{
    ConnectionSettings settings = Settings(r.dhcpAddress, r.dhcpDns, r.ip, r.mask, r.gateway, r.dns1, r.dns2, r.dns3);
    settings.moreAddresses = r.moreAddresses;
    settings.moreGateways = r.moreGateways;
    return settings;
}

void AddAll(CConfigList& list, const std::vector<TestRecord>& records)
{
    for (const TestRecord& r : records)
        list.Add(r.name.c_str(), r.connection.c_str(), RecordSettings(r));
}

std::vector<DamagedFile> DamagedFiles()
{
    const TestPreferences prefs{.defaultConnection = "Local Area Network", .dhcpWait = 1234};
    const auto two = MakeConfigFile(prefs, kTwo);
    auto unterminated = two;
    std::fill_n(unterminated.begin() + 4, 516, 'C');
    std::fill_n(unterminated.begin() + kHeader + 8, 513, 'N');
    std::fill_n(unterminated.begin() + kHeader + 521, 513, 'L');
    auto duplicate = MakeConfigFile(prefs, {kTwo[0], kTwo[1], {.name = "Office", .ip = 0x0B00A8C0}});
    auto trailing = two;
    trailing.insert(trailing.end(), 100, 0xEE);
    const auto more = MakeConfigFile(prefs, kTwoWithMore, 2);

    using R = LoadResult;
    const std::vector<std::string> both = {"Office", "Home"};
    const std::vector<std::string> first = {"Office"};
    return {
        {"empty", {}, R::Unusable, true, {}, true},
        {"cut_in_version", Cut(two, 2), R::Unusable, true, {}, true},
        {"version_only", Cut(two, 4), R::Unusable, true, {}, true},
        {"cut_in_preferences", Cut(two, 300), R::Unusable, true, {}, true},
        {"cut_in_count", Cut(two, 538), R::Damaged, false, {}, true},
        {"cut_in_record", Cut(two, kHeader + kRecord + 700), R::Damaged, false, first, true},
        {"count_beyond_data", WithU32(two, 536, 5), R::Damaged, false, both, true},
        {"count_all_ones", WithU32(two, 536, 0xFFFFFFFF), R::Damaged, false, both, true},
        {"count_below_data", WithU32(two, 536, 1), R::Damaged, false, first, false},
        {"no_terminators", unterminated, R::Damaged, false, {std::string(512, 'N'), "Home"}, true},
        {"duplicate_names", duplicate, R::Damaged, false, both, true},
        {"trailing_bytes", trailing, R::Damaged, false, both, false},
        {"version_0", WithU32(two, 0, 0), R::Unusable, true, {}, true},
        {"version_3", WithU32(two, 0, 3), R::Unusable, true, {}, true},
        {"v2_cut_in_record", Cut(more, kHeader + kRecord2 + 700), R::Damaged, false, first, true},
        {"v2_wrong_checksum", WithU32(more, kHeader + 1056, 9), R::Damaged, false, both, true},
        {"v2_count_beyond_data", Sealed(WithU32(more, 536, 3)), R::Damaged, false, both, true},
        {"v2_five_more_addresses", Sealed(WithU32(more, kHeader + 1068, 5)), R::Damaged, false, both, true},
        {"v2_gateway_count_all_ones", Sealed(WithU32(more, kHeader + 1104, ~0u)), R::Damaged, false, both, true},
    };
}

std::vector<std::vector<std::uint8_t>> SoundFiles()
{
    return {
        MakeConfigFile({}, {}),
        MakeConfigFile({.defaultConnection = "Wireless"}, kTwo),
        MakeConfigFile({.defaultConnection = "Wireless"}, kTwoWithMore, 2),
    };
}
