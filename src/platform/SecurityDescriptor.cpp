#include "platform/SecurityDescriptor.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace {

constexpr std::uint32_t kGenericAll = 0x10000000;
constexpr std::uint32_t kGenericExecute = 0x20000000;
constexpr std::uint32_t kGenericWrite = 0x40000000;
constexpr std::uint32_t kGenericRead = 0x80000000;
constexpr std::uint32_t kFileAllAccess = 0x1F01FF;
constexpr std::uint32_t kFileGenericRead = 0x120089;
constexpr std::uint32_t kFileGenericWrite = 0x120116;
constexpr std::uint32_t kFileGenericExecute = 0x1200A0;

constexpr std::array<std::pair<std::string_view, std::uint32_t>, 23> kRightCodes{{
    {"GA", kGenericAll},
    {"GR", kGenericRead},
    {"GW", kGenericWrite},
    {"GX", kGenericExecute},
    {"RC", 0x20000},
    {"SD", 0x10000},
    {"WD", 0x40000},
    {"WO", 0x80000},
    {"RP", 0x10},
    {"WP", 0x20},
    {"CC", 0x1},
    {"DC", 0x2},
    {"LC", 0x4},
    {"SW", 0x8},
    {"LO", 0x80},
    {"DT", 0x40},
    {"CR", 0x100},
    {"FA", kFileAllAccess},
    {"FR", kFileGenericRead},
    {"FW", kFileGenericWrite},
    {"FX", kFileGenericExecute},
    {"KA", 0xF003F},
    {"KR", 0x20019},
}};

// What the generic rights mean for a file or folder.
std::uint32_t Mapped(std::uint32_t rights)
{
    const std::pair<std::uint32_t, std::uint32_t> kMapping[] = {{kGenericAll, kFileAllAccess},
                                                                {kGenericRead, kFileGenericRead},
                                                                {kGenericWrite, kFileGenericWrite},
                                                                {kGenericExecute, kFileGenericExecute}};
    for (const auto& [generic, specific] : kMapping)
        if (rights & generic)
            rights = (rights & ~generic) | specific;
    return rights;
}

std::optional<std::uint32_t> RightsOf(std::string_view text)
{
    std::uint32_t rights = 0;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        const auto [end, error] = std::from_chars(text.data() + 2, text.data() + text.size(), rights, 16);
        if (error != std::errc() || end != text.data() + text.size() || text.size() == 2)
            return std::nullopt;
        return Mapped(rights);
    }
    if (text.size() % 2 != 0)
        return std::nullopt;
    for (std::size_t k = 0; k < text.size(); k += 2) {
        const std::string_view code = text.substr(k, 2);
        const auto* it = std::find_if(kRightCodes.begin(), kRightCodes.end(),
                                      [&](const auto& entry) { return entry.first == code; });
        if (it == kRightCodes.end())
            return std::nullopt;
        rights |= it->second;
    }
    return Mapped(rights);
}

// The two accounts the rule trusts by alias as well, in one spelling.
std::optional<std::string> SidOf(std::string_view text)
{
    if (text == "SY")
        return kSystemSid;
    if (text == "BA")
        return kAdministratorsSid;
    const bool bAlias = text.size() == 2 && text[0] >= 'A' && text[0] <= 'Z' && text[1] >= 'A' && text[1] <= 'Z';
    if (!bAlias && !(text.starts_with("S-1-") && text.find_first_not_of("0123456789-", 4) == std::string_view::npos))
        return std::nullopt;
    return std::string(text);
}

// Splits "(type;flags;rights;object;inherited object;sid)" into its fields.
std::optional<AccessEntry> EntryOf(std::string_view text)
{
    std::array<std::string_view, 6> fields;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const std::size_t end = text.find(';');
        if ((end == std::string_view::npos) != (k == fields.size() - 1))
            return std::nullopt;
        fields[k] = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    AccessEntry entry;
    const std::string_view type = fields[0];
    if (type == "A" || type == "OA" || type == "XA" || type == "ZA")
        entry.bAllow = true;
    else if (type != "D" && type != "OD" && type != "XD")
        return std::nullopt;
    for (std::size_t k = 0; k < fields[1].size(); k += 2) {
        const std::string_view flag = fields[1].substr(k, 2);
        if (flag == "IO")
            entry.bInheritOnly = true;
        else if (flag != "OI" && flag != "CI" && flag != "NP" && flag != "ID" && flag != "SA" && flag != "FA")
            return std::nullopt;
    }
    const std::optional<std::uint32_t> rights = RightsOf(fields[2]);
    std::optional<std::string> sid = SidOf(fields[5]);
    if (!rights || !sid)
        return std::nullopt;
    entry.nRights = *rights;
    entry.sid = std::move(*sid);
    return entry;
}

// "D:" flags, then the entries; a conditional entry's own brackets are
// part of it.
bool ReadDacl(std::string_view text, SecurityDescriptor& descriptor)
{
    const std::size_t first = text.find('(');
    const std::string_view flags = text.substr(0, first);
    descriptor.bHasDacl = flags.find("NO_ACCESS_CONTROL") == std::string_view::npos;
    for (std::size_t k = first; k != std::string_view::npos && k < text.size();) {
        if (text[k] != '(')
            return false;
        const std::size_t end = text.find(')', k);
        if (end == std::string_view::npos)
            return false;
        std::optional<AccessEntry> entry = EntryOf(text.substr(k + 1, end - k - 1));
        if (!entry)
            return false;
        descriptor.entries.push_back(std::move(*entry));
        k = end + 1;
    }
    return true;
}

} // namespace

std::optional<SecurityDescriptor> ParseSecurityDescriptor(std::string_view sddl)
{
    SecurityDescriptor descriptor;
    bool bOwner = false;
    while (!sddl.empty()) {
        if (sddl.size() < 2 || sddl[1] != ':')
            return std::nullopt;
        const char part = sddl[0];
        // The next part starts at a letter and a colon outside brackets.
        std::size_t end = 2;
        for (int depth = 0; end < sddl.size(); ++end) {
            depth += sddl[end] == '(' ? 1 : sddl[end] == ')' ? -1 : 0;
            if (depth == 0 && end + 1 < sddl.size() && sddl[end + 1] == ':')
                break;
        }
        const std::string_view value = sddl.substr(2, end - 2);
        sddl.remove_prefix(end);
        if (part == 'O') {
            std::optional<std::string> owner = SidOf(value);
            if (!owner)
                return std::nullopt;
            descriptor.owner = std::move(*owner);
            bOwner = true;
        } else if (part == 'D') {
            if (!ReadDacl(value, descriptor))
                return std::nullopt;
        } else if (part != 'G' && part != 'S') {
            return std::nullopt;
        }
    }
    if (!bOwner)
        return std::nullopt;
    return descriptor;
}

std::optional<std::string> OtherAccountAllowed(const SecurityDescriptor& descriptor, std::uint32_t rights)
{
    const auto trusted = [](const std::string& sid) {
        return sid == kSystemSid || sid == kAdministratorsSid || sid == kTrustedInstallerSid;
    };
    if (!trusted(descriptor.owner))
        return descriptor.owner;
    if (!descriptor.bHasDacl)
        return std::string("WD");
    // A deny entry can only take rights away, so it never makes this stricter.
    for (const AccessEntry& entry : descriptor.entries)
        if (entry.bAllow && !entry.bInheritOnly && (entry.nRights & rights) && !trusted(entry.sid))
            return entry.sid;
    return std::nullopt;
}
