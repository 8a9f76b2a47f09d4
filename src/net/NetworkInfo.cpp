#include "net/NetworkInfo.h"

#include "config/Ascii.h"
#include "net/AdapterAddresses.h"
#include "net/NetshCommands.h"
#include "net/SettingsText.h"

#include <string_view>
#include <utility>

namespace {

constexpr const char* kConnectionClassKey =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr const char* kInterfacesKey = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";

constexpr std::uint32_t kSubkeyNameSize = 255;
constexpr std::uint32_t kConnectionNameSize = 255;
constexpr std::uint32_t kSettingSize = 2048;

constexpr CNetworkInfo::SettingValues kIpAddressValues{"IPAddress", "DhcpIPAddress"};
constexpr CNetworkInfo::SettingValues kSubnetMaskValues{"SubnetMask", "DhcpSubnetMask"};
constexpr CNetworkInfo::SettingValues kGatewayValues{"DefaultGateway", "DhcpDefaultGateway"};
constexpr CNetworkInfo::SettingValues kDnsServerValues{"NameServer", "DhcpNameServer"};

// A registry text read into a buffer of N bytes and always terminated inside
// it; a value that cannot be read, of whatever kind, reads as empty.
template <std::uint32_t N>
struct RegistryText {
    char text[N + 1] = {};

    bool Read(IRegistryKey& key, const char* pszValue)
    {
        std::uint32_t size = N;
        const bool ok = key.QueryValue(pszValue, text, size) == reg::kSuccess;
        text[ok ? (size < N ? size : N) : 0] = '\0';
        return ok;
    }
    bool Empty() const { return text[0] == '\0'; }
};

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

Ipv4Addr CNetworkInfo::ReadSetting(unsigned i, unsigned k, const SettingValues& values, bool bDhcpFallback)
{
    if (i >= m_adapters.size())
        return {};
    const auto key = m_platform.registry.OpenLocalMachine(InterfaceKeyPath(i).c_str(), RegistryAccess::Read);
    if (!key)
        return {};
    RegistryText<kSettingSize> value;
    value.Read(*key, values.pszStatic);
    if (bDhcpFallback && value.Empty())
        value.Read(*key, values.pszDhcp);
    return Ipv4Addr::FromValue(SettingsItem(value.text, k));
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
    const bool bDhcpFallback = bInForce ? settings.bDhcpAddress : AdapterSaysDhcp(i);
    const auto read = [&](const SettingValues& values, unsigned k) { return ReadSetting(i, k, values, bDhcpFallback); };
    if (!settings.bDhcpAddress) {
        settings.ipAddress = read(kIpAddressValues, 0);
        settings.subnetMask = read(kSubnetMaskValues, 0);
        settings.gateway = read(kGatewayValues, 0);
    }
    settings.bDhcpDns = IsDnsFromDhcp(i);
    if (!settings.bDhcpDns) {
        for (unsigned k = 0; k < settings.dns.size(); ++k)
            settings.dns[k] = read(kDnsServerValues, k);
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

NetshRuns CNetworkInfo::SetAddress(unsigned i, Ipv4Addr address, Ipv4Addr mask, Ipv4Addr gateway)
{
    const char* pszName = CommandName(i);
    if (!pszName)
        return {};
    return RunCommands({BuildAddressCommand(pszName, address, mask, gateway)});
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
