#include "net/NetworkInfo.h"

#include "net/NetshCommands.h"
#include "net/SettingsText.h"

#include <memory>

namespace {

constexpr const char* kConnectionClassKey =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr const char* kInterfacesKey = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";

constexpr std::uint32_t kFirstAdapterBufferSize = 640; // one adapter record
// The list may grow between sizing it and filling it.
constexpr int kAdapterFillTries = 4;
constexpr std::uint32_t kSubkeyNameSize = 255;
constexpr std::uint32_t kConnectionNameSize = 255;
constexpr std::uint32_t kSettingSize = 2048;

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
    std::uint32_t size = kFirstAdapterBufferSize;
    auto buffer = std::make_unique<std::uint8_t[]>(size);
    std::uint32_t result = m_platform.adapters.Fill(buffer.get(), size);
    // Filled again even after a first success; each overflow sizes the buffer anew.
    for (int tries = 0; tries < kAdapterFillTries; ++tries) {
        if (result == IAdapterList::kBufferOverflow)
            buffer = std::make_unique<std::uint8_t[]>(size);
        result = m_platform.adapters.Fill(buffer.get(), size);
        if (result != IAdapterList::kBufferOverflow)
            break;
    }
    if (result != IAdapterList::kSuccess) {
        m_platform.messages.Show("Cannot get informations of network adapters.", mb::kIconError);
        return;
    }
    for (AdapterEntry& entry : m_platform.adapters.Entries(buffer.get()))
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
        for (Adapter& adapter : m_adapters) {
            if (!adapter.connection && adapter.entry.name == subkey)
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

std::uint32_t CNetworkInfo::ReadSetting(unsigned i, unsigned k, const char* pszStatic, const char* pszDhcp)
{
    if (i >= m_adapters.size())
        return 0;
    const auto key = m_platform.registry.OpenLocalMachine(InterfaceKeyPath(i).c_str(), RegistryAccess::Read);
    if (!key)
        return 0;
    RegistryText<kSettingSize> value;
    value.Read(*key, pszStatic);
    // The adapter list's flag decides here, not the registry's EnableDHCP.
    if (m_adapters[i].entry.dhcpEnabled && value.Empty())
        value.Read(*key, pszDhcp);
    return SettingsItem(value.text, k);
}

std::uint32_t CNetworkInfo::GetIpAddress(unsigned i, unsigned k)
{
    return ReadSetting(i, k, "IPAddress", "DhcpIPAddress");
}

std::uint32_t CNetworkInfo::GetSubnetMask(unsigned i, unsigned k)
{
    return ReadSetting(i, k, "SubnetMask", "DhcpSubnetMask");
}

std::uint32_t CNetworkInfo::GetDefaultGateway(unsigned i, unsigned k)
{
    return ReadSetting(i, k, "DefaultGateway", "DhcpDefaultGateway");
}

std::uint32_t CNetworkInfo::GetDnsServer(unsigned i, unsigned k)
{
    return ReadSetting(i, k, "NameServer", "DhcpNameServer");
}

std::uint32_t CNetworkInfo::SwapByteOrder(std::uint32_t dwValue)
{
    return (dwValue >> 24) | ((dwValue >> 8) & 0x0000FF00u) | ((dwValue << 8) & 0x00FF0000u) | (dwValue << 24);
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

bool CNetworkInfo::SetAddress(unsigned i, std::uint32_t dwAddress, std::uint32_t dwMask, std::uint32_t dwGateway)
{
    const char* pszName = CommandName(i);
    return pszName && RunCommands({BuildAddressCommand(pszName, dwAddress, dwMask, dwGateway)});
}

bool CNetworkInfo::SetDns(unsigned i, std::uint32_t dwDns1, std::uint32_t dwDns2, std::uint32_t dwDns3)
{
    const char* pszName = CommandName(i);
    return pszName && RunCommands(BuildDnsCommands(pszName, dwDns1, dwDns2, dwDns3));
}

bool CNetworkInfo::RunCommands(const std::vector<std::string>& commands)
{
    const std::string netsh = NetshPath();
    if (netsh.empty())
        return false;
    bool ran = true;
    for (const std::string& command : commands)
        ran = RunNetsh(netsh, command) && ran;
    return ran;
}

bool CNetworkInfo::RunNetsh(const std::string& file, const std::string& parameters)
{
    return m_platform.processes.RunHidden(file, parameters, m_platform.pump);
}
