#include "config/ConfigText.h"

#include "config/Ascii.h"
#include "config/FieldText.h"
#include "config/Ipv4Addr.h"
#include "config/Utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_set>
#include <utility>
#include <vector>

namespace {

enum Key : unsigned {
    kDefaultConnection,
    kTestAddress,
    kDhcpWait,
    kExitAfterApply,
    kExitAfterAuto,
    kName, // the first key of a configuration
    kConnection,
    kDhcpAddress,
    kIpAddress,
    kSubnetMask,
    // The further ones in pairs, numbered 2 to 5: address and mask, gateway
    // and metric.
    kIpAddress2,
    kLastMoreAddressKey = kIpAddress2 + 2 * MoreAddresses::capacity() - 1,
    kGateway,
    kGateway2,
    kLastMoreGatewayKey = kGateway2 + 2 * MoreGateways::capacity() - 1,
    kDhcpDns,
    kDns1,
    kDns2,
    kDns3,
    kKeyCount
};

// In the order they are written.
constexpr std::string_view kKeyNames[kKeyCount] = {"Default connection",
                                                   "Test address",
                                                   "DHCP wait",
                                                   "Exit after apply",
                                                   "Exit after automatic configuration",
                                                   "Name",
                                                   "Connection",
                                                   "IP address from DHCP",
                                                   "IP address",
                                                   "Subnet mask",
                                                   "IP address 2",
                                                   "Subnet mask 2",
                                                   "IP address 3",
                                                   "Subnet mask 3",
                                                   "IP address 4",
                                                   "Subnet mask 4",
                                                   "IP address 5",
                                                   "Subnet mask 5",
                                                   "Default gateway",
                                                   "Default gateway 2",
                                                   "Gateway metric 2",
                                                   "Default gateway 3",
                                                   "Gateway metric 3",
                                                   "Default gateway 4",
                                                   "Gateway metric 4",
                                                   "Default gateway 5",
                                                   "Gateway metric 5",
                                                   "DNS servers from DHCP",
                                                   "DNS server 1",
                                                   "DNS server 2",
                                                   "DNS server 3"};

static_assert(kKeyCount <= 32, "a section's keys are bits of one word");

constexpr std::string_view kComment = "; Tolvi configurations: edit, then read back with Tolvi.exe /import FILE";
constexpr std::string_view kPreferencesHeader = "[Preferences]";
constexpr std::string_view kConfigurationHeader = "[Configuration]";
constexpr std::string_view kNewline = "\r\n";
constexpr std::string_view kBom = "\xEF\xBB\xBF";
// About what one configuration takes as text, to size the text once.
constexpr std::size_t kConfigurationTextSize = 320;

bool HasControlCharacter(std::string_view utf8)
{
    // Bytes of multi-byte UTF-8 sequences are all above 0x7F.
    return std::any_of(utf8.begin(), utf8.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 0x20 || b == 0x7F;
    });
}

// A text in quotes for a message, cut short so that a message box can hold it.
std::string Quoted(std::string_view utf8)
{
    constexpr std::size_t kMaxCharacters = 40;
    std::size_t n = 0;
    for (std::size_t count = 0; n < utf8.size() && count < kMaxCharacters; ++count)
        n += Utf8SequenceLength(utf8[n]);
    n = std::min(n, utf8.size());
    std::string quoted = "'";
    quoted += utf8.substr(0, n);
    quoted += n < utf8.size() ? "...'" : "'";
    return quoted;
}

// ---- Writing

struct LineText {
    std::string utf8;
    const char* pszProblem = nullptr;
};

LineText ToLineText(std::string_view stored)
{
    if (!IsUtf8(stored))
        return {{}, "is not valid UTF-8"};
    if (HasControlCharacter(stored))
        return {{}, "holds a control character"};
    return {std::string(stored)};
}

void PutLine(std::string& out, std::string_view line)
{
    out += line;
    out += kNewline;
}

void PutKey(std::string& out, Key key, std::string_view value)
{
    out += kKeyNames[key];
    out += " =";
    // No space after the sign when there is nothing to follow it.
    if (!value.empty()) {
        out += ' ';
        out += value;
    }
    out += kNewline;
}

void PutText(std::string& out, Key key, std::string_view utf8)
{
    out += kKeyNames[key];
    out += " = \"";
    out += utf8;
    out += '"';
    out += kNewline;
}

void PutAddress(std::string& out, Key key, Ipv4Addr address)
{
    PutKey(out, key, address.IsNone() ? std::string() : address.Dotted());
}

void PutFlag(std::string& out, Key key, bool value)
{
    PutKey(out, key, value ? "yes" : "no");
}

// The further addresses and gateways only as far as there are any.
void PutSettings(std::string& out, const ConnectionSettings& settings)
{
    PutFlag(out, kDhcpAddress, settings.bDhcpAddress);
    PutAddress(out, kIpAddress, settings.ipAddress);
    PutAddress(out, kSubnetMask, settings.subnetMask);
    for (std::size_t i = 0; i < settings.moreAddresses.size(); ++i) {
        PutAddress(out, static_cast<Key>(kIpAddress2 + 2 * i), settings.moreAddresses[i].address);
        PutAddress(out, static_cast<Key>(kIpAddress2 + 2 * i + 1), settings.moreAddresses[i].mask);
    }
    PutAddress(out, kGateway, settings.gateway);
    for (std::size_t i = 0; i < settings.moreGateways.size(); ++i) {
        PutAddress(out, static_cast<Key>(kGateway2 + 2 * i), settings.moreGateways[i].gateway);
        PutKey(out, static_cast<Key>(kGateway2 + 2 * i + 1), std::to_string(settings.moreGateways[i].metric));
    }
    PutFlag(out, kDhcpDns, settings.bDhcpDns);
    for (std::size_t i = 0; i < settings.dns.size(); ++i)
        PutAddress(out, static_cast<Key>(kDns1 + i), settings.dns[i]);
}

// ---- Reading

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Four numbers of one to three digits, 0 to 255; nothing else.
std::optional<Ipv4Addr> ParseDotted(std::string_view s)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (s.empty() || s.front() != '.')
                return std::nullopt;
            s.remove_prefix(1);
        }
        std::size_t nDigits = 0;
        std::uint32_t number = 0;
        // A fourth digit is read only to be refused.
        while (nDigits < s.size() && nDigits < 4 && IsDigit(s[nDigits]))
            number = number * 10 + static_cast<std::uint32_t>(s[nDigits++] - '0');
        if (nDigits == 0 || nDigits > 3 || number > 255)
            return std::nullopt;
        s.remove_prefix(nDigits);
        value |= number << (8 * i);
    }
    if (!s.empty())
        return std::nullopt;
    return Ipv4Addr::FromValue(value);
}

// Only the outer pair goes, so quotes inside need no escaping.
std::string_view Unquoted(std::string_view value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

std::uint32_t Bit(Key key)
{
    return 1u << key;
}

struct ParsedConfiguration {
    std::size_t nHeaderLine = 0;
    std::string name;
    std::string connection;
    ConnectionSettings settings{false, {}, {}, {}, false, {}, {}, {}};
    // The further pairs' values by key, put in the lists once the section
    // is whole: address and mask; gateway and metric.
    std::array<std::uint32_t, 2 * MoreAddresses::capacity()> moreAddressValues{};
    std::array<std::uint32_t, 2 * MoreGateways::capacity()> moreGatewayValues{};
    CONFIGURATION* pExisting = nullptr; // the record it replaces
};

using Result = std::optional<ConfigTextError>;

// Checks a whole text into values of its own, so that the list is changed
// only once nothing can fail.
class CTextReader {
public:
    explicit CTextReader(const CConfigList& list) : m_list(list), m_preferences(list.GetPreferences()) {}

    Result Read(std::string_view text);
    void StoreIn(CConfigList& list) const;

private:
    enum class Section { None, Preferences, Configuration };

    ConfigTextError Error(std::string what) const { return {m_nLine, std::move(what)}; }
    Result ReadLine(std::string_view line);
    Result StartSection(std::string_view header);
    Result EndSection();
    bool Given(Key key) const { return (m_seen & Bit(key)) != 0; }
    Result Without(Key given, Key missing) const;
    Result CheckPairs(Key first, std::size_t nPairs) const;
    Result ReadKey(std::string_view name, std::string_view value);
    Result ReadPreference(Key key, std::string_view value);
    Result ReadConfigurationValue(Key key, std::string_view value);
    Result ReadMoreValue(Key key, std::string_view value, ParsedConfiguration& config) const;
    Result ReadMetric(std::string_view value, std::uint32_t& metric) const;
    Result ReadName(std::string_view value, ParsedConfiguration& config);
    Result ReadText(std::string_view value, std::size_t nMaxBytes, const std::string& what, std::string& text) const;
    Result ReadAddress(std::string_view value, Ipv4Addr& address) const;
    Result ReadFlag(std::string_view value, bool& flag) const;
    Result ReadDhcpWait(std::string_view value);

    const CConfigList& m_list;
    PREFERENCES m_preferences;
    std::vector<ParsedConfiguration> m_configurations;
    std::unordered_set<std::string> m_names;
    std::size_t m_nNew = 0; // configurations the list does not have yet
    std::size_t m_nLine = 0;
    Section m_section = Section::None;
    std::size_t m_nSectionLine = 0;
    std::uint32_t m_seen = 0;                        // keys given in this section
    std::array<std::size_t, kKeyCount> m_keyLines{}; // where each was given
    bool m_bHadPreferences = false;
};

Result CTextReader::Read(std::string_view text)
{
    if (text.starts_with(kBom))
        text.remove_prefix(kBom.size());
    while (!text.empty()) {
        ++m_nLine;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (Result error = ReadLine(line))
            return error;
    }
    return EndSection();
}

Result CTextReader::ReadLine(std::string_view line)
{
    if (!IsUtf8(line))
        return Error("text that is not UTF-8");
    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#')
        return std::nullopt;
    if (line.front() == '[' && line.back() == ']')
        return StartSection(line);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return Error("a line that is not a [section], a key = value or a comment");
    if (m_section == Section::None)
        return Error("a key before the first [section]");
    return ReadKey(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
}

Result CTextReader::StartSection(std::string_view header)
{
    if (Result error = EndSection())
        return error;
    m_nSectionLine = m_nLine;
    m_seen = 0;
    if (EqualsIgnoringCase(header, kPreferencesHeader)) {
        if (m_bHadPreferences)
            return Error("a second [Preferences] section");
        m_bHadPreferences = true;
        m_section = Section::Preferences;
    } else if (EqualsIgnoringCase(header, kConfigurationHeader)) {
        m_section = Section::Configuration;
        m_configurations.emplace_back().nHeaderLine = m_nLine;
    } else {
        return Error("unknown section " + Quoted(header));
    }
    return std::nullopt;
}

// What a configuration cannot do without, and the further addresses and
// gateways as a whole; the preferences keep what is not given.
Result CTextReader::EndSection()
{
    if (m_section != Section::Configuration)
        return std::nullopt;
    for (Key key : {kName, kConnection, kDhcpAddress, kDhcpDns})
        if (!Given(key))
            return ConfigTextError{m_nSectionLine, Quoted(kKeyNames[key]) + " is missing from this configuration"};
    if (Result error = CheckPairs(kIpAddress2, MoreAddresses::capacity()))
        return error;
    if (Result error = CheckPairs(kGateway2, MoreGateways::capacity()))
        return error;
    ConnectionSettings& settings = m_configurations.back().settings;
    if (Given(kIpAddress2) && settings.bDhcpAddress)
        return ConfigTextError{m_keyLines[kIpAddress2],
                               Quoted(kKeyNames[kIpAddress2]) + " with an IP address from DHCP"};
    if (Given(kGateway2) && settings.gateway.IsNone())
        return Without(kGateway2, kGateway);
    const ParsedConfiguration& config = m_configurations.back();
    for (std::size_t i = 0; i < MoreAddresses::capacity() && Given(static_cast<Key>(kIpAddress2 + 2 * i)); ++i)
        settings.moreAddresses.push_back({Ipv4Addr::FromValue(config.moreAddressValues[2 * i]),
                                          Ipv4Addr::FromValue(config.moreAddressValues[2 * i + 1])});
    for (std::size_t i = 0; i < MoreGateways::capacity() && Given(static_cast<Key>(kGateway2 + 2 * i)); ++i)
        settings.moreGateways.push_back(
            {Ipv4Addr::FromValue(config.moreGatewayValues[2 * i]), config.moreGatewayValues[2 * i + 1]});
    return std::nullopt;
}

Result CTextReader::Without(Key given, Key missing) const
{
    return ConfigTextError{m_keyLines[given], Quoted(kKeyNames[given]) + " without " + Quoted(kKeyNames[missing])};
}

// Each pair whole, numbered from 2 without a gap.
Result CTextReader::CheckPairs(Key first, std::size_t nPairs) const
{
    for (std::size_t i = 0; i < nPairs; ++i) {
        const auto a = static_cast<Key>(first + 2 * i);
        const auto b = static_cast<Key>(a + 1);
        if (Given(a) != Given(b))
            return Given(a) ? Without(a, b) : Without(b, a);
        if (i > 0 && Given(a) && !Given(static_cast<Key>(a - 2)))
            return Without(a, static_cast<Key>(a - 2));
    }
    return std::nullopt;
}

Result CTextReader::ReadKey(std::string_view name, std::string_view value)
{
    const bool bPreferences = m_section == Section::Preferences;
    const unsigned first = bPreferences ? kDefaultConnection : kName;
    const unsigned last = bPreferences ? kName : kKeyCount;
    unsigned i = first;
    while (i < last && !EqualsIgnoringCase(name, kKeyNames[i]))
        ++i;
    if (i == last)
        return Error("unknown key " + Quoted(name));
    const auto key = static_cast<Key>(i);
    if (m_seen & Bit(key))
        return Error("a second " + Quoted(kKeyNames[key]) + " in this section");
    m_seen |= Bit(key);
    m_keyLines[key] = m_nLine;
    return bPreferences ? ReadPreference(key, value) : ReadConfigurationValue(key, value);
}

Result CTextReader::ReadPreference(Key key, std::string_view value)
{
    PREFERENCES& prefs = m_preferences;
    bool flag = false;
    switch (key) {
    case kDefaultConnection: {
        std::string text;
        if (Result error = ReadText(Unquoted(value), kDefaultConnectionSize - 1, "the default connection", text))
            return error;
        CopyToField(prefs.szDefaultConnection, text);
        return std::nullopt;
    }
    case kTestAddress: {
        Ipv4Addr address;
        if (Result error = ReadAddress(value, address))
            return error;
        if (address.IsNone())
            return Error("the test address cannot be empty or 0.0.0.0");
        prefs.dwTestAddress = address.ControlOrder();
        return std::nullopt;
    }
    case kDhcpWait:
        return ReadDhcpWait(value);
    case kExitAfterApply:
    case kExitAfterAuto:
        if (Result error = ReadFlag(value, flag))
            return error;
        (key == kExitAfterApply ? prefs.bExitAfterApply : prefs.bExitAfterAuto) = flag ? 1 : 0;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

Result CTextReader::ReadConfigurationValue(Key key, std::string_view value)
{
    ParsedConfiguration& config = m_configurations.back();
    ConnectionSettings& settings = config.settings;
    switch (key) {
    case kName:
        return ReadName(Unquoted(value), config);
    case kConnection:
        if (Result error = ReadText(Unquoted(value), kConnectionSize - 1, "the connection name", config.connection))
            return error;
        if (config.connection.empty())
            return Error("the connection name is empty");
        return std::nullopt;
    case kDhcpAddress:
        return ReadFlag(value, settings.bDhcpAddress);
    case kDhcpDns:
        return ReadFlag(value, settings.bDhcpDns);
    case kIpAddress:
        return ReadAddress(value, settings.ipAddress);
    case kSubnetMask:
        return ReadAddress(value, settings.subnetMask);
    case kGateway:
        return ReadAddress(value, settings.gateway);
    case kDns1:
    case kDns2:
    case kDns3:
        return ReadAddress(value, settings.dns[key - kDns1]);
    default: // the further addresses and gateways
        return ReadMoreValue(key, value, config);
    }
}

Result CTextReader::ReadMoreValue(Key key, std::string_view value, ParsedConfiguration& config) const
{
    const bool bGateway = key >= kGateway2;
    const std::size_t i = key - (bGateway ? kGateway2 : kIpAddress2);
    std::uint32_t& slot = bGateway ? config.moreGatewayValues[i] : config.moreAddressValues[i];
    if (bGateway && i % 2 == 1)
        return ReadMetric(value, slot);
    Ipv4Addr address;
    if (Result error = ReadAddress(value, address))
        return error;
    slot = address.Value();
    return std::nullopt;
}

Result CTextReader::ReadMetric(std::string_view value, std::uint32_t& metric) const
{
    std::uint32_t number = 0;
    const bool bDigits = !value.empty() && value.size() <= 4 && std::all_of(value.begin(), value.end(), IsDigit);
    for (std::size_t i = 0; bDigits && i < value.size(); ++i)
        number = number * 10 + static_cast<std::uint32_t>(value[i] - '0');
    if (!bDigits || number < kMinGatewayMetric || number > kMaxGatewayMetric)
        return Error(Quoted(value) + " is not a gateway metric from " + std::to_string(kMinGatewayMetric) + " to " +
                     std::to_string(kMaxGatewayMetric));
    metric = number;
    return std::nullopt;
}

Result CTextReader::ReadName(std::string_view value, ParsedConfiguration& config)
{
    if (Result error = ReadText(value, kNameSize - 1, "the name", config.name))
        return error;
    if (config.name.empty())
        return Error("the name is empty");
    if (config.name == kNewConfigurationName)
        return Error(Quoted(value) + " is the list's entry for a new configuration, not a name");
    if (!m_names.insert(config.name).second)
        return Error("a second configuration named " + Quoted(value));
    config.pExisting = m_list.Find(config.name.c_str());
    if (!config.pExisting)
        ++m_nNew;
    return std::nullopt;
}

Result CTextReader::ReadText(std::string_view value, std::size_t nMaxBytes, const std::string& what,
                             std::string& text) const
{
    if (HasControlCharacter(value))
        return Error(what + " holds a control character");
    // Counted as the field holds it.
    if (value.size() > nMaxBytes)
        return Error(what + " is longer than " + std::to_string(nMaxBytes) + " bytes in UTF-8");
    text = value;
    return std::nullopt;
}

Result CTextReader::ReadAddress(std::string_view value, Ipv4Addr& address) const
{
    if (value.empty()) {
        address = {};
        return std::nullopt;
    }
    const std::optional<Ipv4Addr> parsed = ParseDotted(value);
    if (!parsed)
        return Error(Quoted(value) + " is not an IP address");
    address = *parsed;
    return std::nullopt;
}

Result CTextReader::ReadFlag(std::string_view value, bool& flag) const
{
    if (EqualsIgnoringCase(value, "yes"))
        flag = true;
    else if (EqualsIgnoringCase(value, "no"))
        flag = false;
    else
        return Error(Quoted(value) + " is not yes or no");
    return std::nullopt;
}

Result CTextReader::ReadDhcpWait(std::string_view value)
{
    if (value.empty() || !std::all_of(value.begin(), value.end(), IsDigit))
        return Error(Quoted(value) + " is not a number of milliseconds");
    std::uint32_t wait = 0;
    for (char c : value) {
        wait = wait * 10 + static_cast<std::uint32_t>(c - '0');
        if (wait > kMaximumDhcpWait)
            return Error("the DHCP wait is longer than " + std::to_string(kMaximumDhcpWait) + " milliseconds");
    }
    m_preferences.nDhcpWait = wait;
    return std::nullopt;
}

void CTextReader::StoreIn(CConfigList& list) const
{
    list.Reserve(list.GetCount() + m_nNew);
    for (const ParsedConfiguration& config : m_configurations) {
        CONFIGURATION* p = config.pExisting ? config.pExisting : list.Append(config.name, config.connection);
        // Append refuses only a name the list has, and those were found above.
        if (!p)
            continue;
        CopyToField(p->szConnection, config.connection);
        StoreSettings(*p, config.settings);
    }
    list.GetPreferences() = m_preferences;
}

} // namespace

std::optional<ConfigTextError> WriteConfigText(const CConfigList& list, std::string& text)
{
    const PREFERENCES& prefs = list.GetPreferences();
    const LineText defaultConnection = ToLineText(FieldText(prefs.szDefaultConnection, kDefaultConnectionSize));
    if (defaultConnection.pszProblem)
        return ConfigTextError{0, std::string("the default connection ") + defaultConnection.pszProblem};

    std::string out;
    out.reserve(kConfigurationTextSize * (list.GetCount() + 1));
    PutLine(out, kComment);
    PutLine(out, kPreferencesHeader);
    PutText(out, kDefaultConnection, defaultConnection.utf8);
    PutAddress(out, kTestAddress, Ipv4Addr::FromControlOrder(prefs.dwTestAddress));
    // A longer wait is waited as the maximum anyway, and reading refuses it.
    PutKey(out, kDhcpWait, std::to_string(std::min(prefs.nDhcpWait, kMaximumDhcpWait)));
    PutFlag(out, kExitAfterApply, prefs.bExitAfterApply != 0);
    PutFlag(out, kExitAfterAuto, prefs.bExitAfterAuto != 0);

    std::size_t nPosition = 0;
    for (const CONFIGURATION& config : list) {
        ++nPosition;
        const LineText name = ToLineText(FieldText(config.szName, kNameSize));
        if (name.pszProblem)
            return ConfigTextError{0, "the name of configuration " + std::to_string(nPosition) + " " + name.pszProblem};
        const LineText connection = ToLineText(FieldText(config.szConnection, kConnectionSize));
        if (connection.pszProblem)
            return ConfigTextError{0, "the connection of " + Quoted(name.utf8) + " " + connection.pszProblem};
        out += kNewline;
        PutLine(out, kConfigurationHeader);
        PutText(out, kName, name.utf8);
        PutText(out, kConnection, connection.utf8);
        PutSettings(out, SettingsOf(config));
    }
    text = std::move(out);
    return std::nullopt;
}

std::optional<ConfigTextError> ReadConfigText(std::string_view text, CConfigList& list)
{
    CTextReader reader(list);
    if (Result error = reader.Read(text))
        return error;
    reader.StoreIn(list);
    return std::nullopt;
}
