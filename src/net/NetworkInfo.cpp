#include "net/NetworkInfo.h"

#include "config/Ascii.h"
#include "net/AdapterAddresses.h"
#include "net/NetshCommands.h"
#include "net/SettingsText.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

namespace {

constexpr const char* kConnectionClassKey =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr const char* kInterfacesKey = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";

constexpr std::uint32_t kSubkeyNameSize = 255;
// Windows allows 254 characters, each up to three bytes in UTF-8.
constexpr std::uint32_t kConnectionNameSize = 3 * 254 + 1;
constexpr std::uint32_t kSettingSize = 2048;

// Windows keeps addresses, masks, gateways and their metrics one to a
// string, in the same order, and the DNS servers in one string.
constexpr CNetworkInfo::SettingValues kIpAddressValues{"IPAddress", "DhcpIPAddress", true};
constexpr CNetworkInfo::SettingValues kSubnetMaskValues{"SubnetMask", "DhcpSubnetMask", true};
constexpr CNetworkInfo::SettingValues kGatewayValues{"DefaultGateway", "DhcpDefaultGateway", true};
constexpr CNetworkInfo::SettingValues kGatewayMetricValues{"DefaultGatewayMetric", nullptr, true};
constexpr CNetworkInfo::SettingValues kDnsServerValues{"NameServer", "DhcpNameServer", false};

// A registry text read into a buffer of N bytes and always terminated inside
// it; a value that cannot be read, of whatever kind, reads as empty.
template <std::uint32_t N>
struct RegistryText {
    char text[N + 1] = {};
    std::uint32_t length = 0;

    bool Read(IRegistryKey& key, const char* pszValue)
    {
        std::uint32_t size = N;
        const bool ok = key.QueryValue(pszValue, text, size) == reg::kSuccess;
        length = ok ? (size < N ? size : N) : 0;
        text[length] = '\0';
        return ok;
    }
    bool Empty() const { return text[0] == '\0'; }
    std::string_view Data() const { return {text, length}; }
};

// The static value's items, or the lease's where those stand in for an empty one.
std::vector<std::string> ReadItems(IRegistryKey& key, const CNetworkInfo::SettingValues& values, bool bDhcpFallback)
{
    RegistryText<kSettingSize> value;
    value.Read(key, values.pszStatic);
    if (bDhcpFallback && values.pszDhcp && value.Empty())
        value.Read(key, values.pszDhcp);
    return SettingsItems(value.Data(), values.bMultiString);
}

Ipv4Addr AddressAt(const std::vector<std::string>& items, std::size_t k)
{
    return k < items.size() ? Ipv4Addr::Parse(items[k].c_str()) : Ipv4Addr();
}

// 0, Windows' automatic metric, is also what a missing one means.
std::uint32_t MetricAt(const std::vector<std::string>& items, std::size_t k)
{
    std::uint32_t metric = 0;
    if (k < items.size())
        std::from_chars(items[k].data(), items[k].data() + items[k].size(), metric);
    return metric;
}

// Every address with its mask and every gateway with its metric, as far as
// a configuration holds them. A metric in force stays as Windows keeps it,
// so that an automatic one equals no configuration's and is put back as it
// was; shown, it becomes the nearest one a configuration can hold.
void ReadAddresses(IRegistryKey& key, bool bDhcpFallback, bool bInForce, ConnectionSettings& settings)
{
    const std::vector<std::string> addresses = ReadItems(key, kIpAddressValues, bDhcpFallback);
    const std::vector<std::string> masks = ReadItems(key, kSubnetMaskValues, bDhcpFallback);
    const std::vector<std::string> gateways = ReadItems(key, kGatewayValues, bDhcpFallback);
    const std::vector<std::string> metrics = ReadItems(key, kGatewayMetricValues, false);
    settings.ipAddress = AddressAt(addresses, 0);
    settings.subnetMask = AddressAt(masks, 0);
    settings.gateway = AddressAt(gateways, 0);
    for (std::size_t k = 1; k < addresses.size(); ++k) {
        if (!AddressAt(addresses, k).IsNone())
            settings.moreAddresses.push_back({AddressAt(addresses, k), AddressAt(masks, k)});
    }
    for (std::size_t k = 1; k < gateways.size(); ++k) {
        const std::uint32_t metric = MetricAt(metrics, k);
        if (!AddressAt(gateways, k).IsNone())
            settings.moreGateways.push_back(
                {AddressAt(gateways, k), bInForce ? metric : std::clamp(metric, kMinGatewayMetric, kMaxGatewayMetric)});
    }
}

} // namespace

CNetworkInfo::CNetworkInfo(const NetworkPlatform& platform) : m_platform(platform)
{
    ReadAdapters();
    MatchConnectionNames();
}

void CNetworkInfo::ReadAdapters()
{
    // Filled again even after a first fill that fit, and no adapters at all
    // counts as unreadable.
    CAdapterAddresses::Reading reading = CAdapterAddresses(m_platform.adapters).ReadAll(true);
    if (reading.result != IAdapterList::kSuccess) {
        m_bAdaptersUnreadable = true;
        return;
    }
    for (AdapterEntry& entry : reading.adapters)
        m_adapters.push_back({std::move(entry), std::nullopt});
}

void CNetworkInfo::MatchConnectionNames()
{
    const auto classKey = m_platform.registry.OpenLocalMachine(kConnectionClassKey, RegistryAccess::Read);
    if (!classKey)
        return;
    for (std::uint32_t index = 0;; ++index) {
        char subkey[kSubkeyNameSize] = {};
        std::uint32_t length = kSubkeyNameSize;
        const long status = classKey->EnumSubkey(index, subkey, length);
        if (status == reg::kMoreData)
            continue; // longer than any adapter identifier
        if (status != reg::kSuccess)
            break;
        subkey[length < kSubkeyNameSize ? length : kSubkeyNameSize - 1] = '\0';

        const std::string path = std::string(kConnectionClassKey) + "\\" + subkey + "\\Connection";
        const auto connectionKey = m_platform.registry.OpenLocalMachine(path.c_str(), RegistryAccess::Read);
        if (!connectionKey)
            continue;
        RegistryText<kConnectionNameSize> name;
        if (!name.Read(*connectionKey, "Name"))
            return;
        // Adapter ids are GUIDs, whose letters the adapter list and the registry
        // may give in different case.
        for (Adapter& adapter : m_adapters) {
            if (!adapter.connection && EqualsIgnoringCase(adapter.entry.name, subkey))
                adapter.connection = name.text;
        }
    }
}

unsigned CNetworkInfo::GetAdapterCount() const
{
    return static_cast<unsigned>(m_adapters.size());
}

const char* CNetworkInfo::GetConnectionName(unsigned i) const
{
    if (i >= m_adapters.size() || !m_adapters[i].connection)
        return nullptr;
    return m_adapters[i].connection->c_str();
}

bool CNetworkInfo::AdapterSaysDhcp(unsigned i) const
{
    return i < m_adapters.size() && m_adapters[i].entry.dhcpEnabled;
}

std::string CNetworkInfo::InterfaceKeyPath(unsigned i) const
{
    return kInterfacesKey + m_adapters[i].entry.name;
}

bool CNetworkInfo::IsDhcpEnabled(unsigned i)
{
    if (i >= m_adapters.size())
        return false;
    const auto key = m_platform.registry.OpenLocalMachine(InterfaceKeyPath(i).c_str(), RegistryAccess::Read);
    if (!key)
        return false;
    std::uint8_t bytes[4] = {};
    std::uint32_t size = sizeof bytes;
    if (key->QueryValue("EnableDHCP", bytes, size) != reg::kSuccess)
        return false;
    return (bytes[0] | bytes[1] | bytes[2] | bytes[3]) != 0;
}

bool CNetworkInfo::IsDnsFromDhcp(unsigned i)
{
    if (!IsDhcpEnabled(i))
        return false;
    const auto key = m_platform.registry.OpenLocalMachine(InterfaceKeyPath(i).c_str(), RegistryAccess::Read);
    if (!key)
        return true;
    RegistryText<kSettingSize> servers;
    servers.Read(*key, "NameServer");
    return servers.Empty();
}

ConnectionSettings CNetworkInfo::GetSettings(unsigned i)
{
    return ReadSettings(i, false);
}

ConnectionSettings CNetworkInfo::GetSettingsInForce(unsigned i)
{
    return ReadSettings(i, true);
}

AddressState CNetworkInfo::StateOf(unsigned i, Ipv4Addr address)
{
    if (!m_platform.pAddressStates || i >= m_adapters.size())
        return AddressState::Absent;
    return m_platform.pAddressStates->StateOf(m_adapters[i].entry.name, address.Value());
}

ConnectionSettings CNetworkInfo::ReadSettings(unsigned i, bool bInForce)
{
    ConnectionSettings settings;
    settings.bDhcpAddress = IsDhcpEnabled(i);
    settings.bDhcpDns = IsDnsFromDhcp(i);
    const auto key = i < m_adapters.size()
                         ? m_platform.registry.OpenLocalMachine(InterfaceKeyPath(i).c_str(), RegistryAccess::Read)
                         : nullptr;
    if (!key)
        return settings;
    const bool bDhcpFallback = bInForce ? settings.bDhcpAddress : AdapterSaysDhcp(i);
    if (!settings.bDhcpAddress)
        ReadAddresses(*key, bDhcpFallback, bInForce, settings);
    if (!settings.bDhcpDns) {
        const std::vector<std::string> servers = ReadItems(*key, kDnsServerValues, bDhcpFallback);
        for (unsigned k = 0; k < settings.dns.size(); ++k)
            settings.dns[k] = AddressAt(servers, k);
    }
    return settings;
}

const char* CNetworkInfo::CommandName(unsigned i) const
{
    const char* pszName = GetConnectionName(i);
    return pszName && IsSafeConnectionName(pszName) ? pszName : nullptr;
}

std::string CNetworkInfo::NetshPath()
{
    // Never through the search path: an elevated program must not run a
    // netsh.exe dropped in its own or the current folder.
    const std::string folder = m_platform.processes.SystemDirectory();
    return folder.empty() ? std::string() : folder + "\\netsh.exe";
}

NetshRuns CNetworkInfo::SetAddress(unsigned i, const ConnectionSettings& settings)
{
    const char* pszName = CommandName(i);
    if (!pszName)
        return {};
    return RunCommands(BuildAddressCommands(pszName, settings));
}

NetshRuns CNetworkInfo::SetDns(unsigned i, Ipv4Addr dns1, Ipv4Addr dns2, Ipv4Addr dns3)
{
    const char* pszName = CommandName(i);
    if (!pszName)
        return {};
    return RunCommands(BuildDnsCommands(pszName, dns1, dns2, dns3));
}

NetshRuns CNetworkInfo::RunCommands(const std::vector<std::string>& commands)
{
    const std::string netsh = NetshPath();
    NetshRuns runs;
    if (netsh.empty())
        return runs;
    // After one that hung, the next would most likely hang as well.
    for (auto it = commands.begin(); it != commands.end() && (runs.empty() || !runs.back().bTimedOut); ++it)
        runs.push_back(RunNetsh(netsh, *it));
    return runs;
}

NetshRun CNetworkInfo::RunNetsh(const std::string& file, const std::string& parameters)
{
    ProcessResult result =
        RunHidden(m_platform.processes, m_platform.clock, m_platform.pump, file, parameters, kNetshTimeLimit);
    return {parameters, result.bStarted, result.exitCode, std::move(result.output), result.bTimedOut};
}
