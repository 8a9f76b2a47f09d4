#pragma once

#include "net/Connections.h"
#include "net/NetworkPlatform.h"

#include <optional>
#include <string>
#include <vector>

// The machine's adapters with their connection names, as found once at
// construction, and each connection's current TCP/IP settings, read afresh
// from the registry on every call. A connection index is an adapter's
// position in the list and must be below GetAdapterCount().
class CNetworkInfo final : public IConnections {
public:
    explicit CNetworkInfo(const NetworkPlatform& platform);
    CNetworkInfo(const CNetworkInfo&) = delete;
    CNetworkInfo& operator=(const CNetworkInfo&) = delete;

    // The adapter list could not be read: there are no connections, and the
    // user should hear why.
    bool AdaptersUnreadable() const { return m_bAdaptersUnreadable; }
    unsigned GetAdapterCount() const override;
    // Empty (nullptr) when no connection matched the adapter.
    const char* GetConnectionName(unsigned i) const override;

    bool IsDhcpEnabled(unsigned i);
    bool IsDnsFromDhcp(unsigned i);
    // Connection i's settings as the main dialog shows them: up to five
    // addresses and five gateways, and up to three DNS servers; DHCP values
    // stand in for empty static ones when the adapter list's flag says DHCP.
    // Addresses and gateways beyond the fifth are not kept.
    ConnectionSettings GetSettings(unsigned i);
    // The same, except that DHCP values stand in for empty static ones only
    // while the registry says DHCP is on: the adapter list's flag dates from
    // the start of the program, and an apply since may have made it stale.
    ConnectionSettings GetSettingsInForce(unsigned i) override;
    AddressState StateOf(unsigned i, Ipv4Addr address) override;

    // Run netsh for connection i; zeros ask for DHCP. Nothing is run for a
    // connection without a safe name.
    NetshRuns SetAddress(unsigned i, const ConnectionSettings& settings) override;
    NetshRuns SetDns(unsigned i, Ipv4Addr dns1, Ipv4Addr dns2, Ipv4Addr dns3) override;
    NetshRun RunNetsh(const std::string& file, const std::string& parameters);

    // The registry values of one setting: the static one, and the lease's
    // that stands in when the static one is empty (none: no lease's).
    struct SettingValues {
        const char* pszStatic;
        const char* pszDhcp;
        bool bMultiString; // its items are strings of their own
    };

private:
    struct Adapter {
        AdapterEntry entry;
        std::optional<std::string> connection;
    };

    void ReadAdapters();
    void MatchConnectionNames();
    bool AdapterSaysDhcp(unsigned i) const;
    std::string InterfaceKeyPath(unsigned i) const;
    // In force: the registry's EnableDHCP decides the fallback, else the adapter list's flag.
    ConnectionSettings ReadSettings(unsigned i, bool bInForce);
    // The connection name of i when it is safe to put in a command.
    const char* CommandName(unsigned i) const;
    std::string NetshPath();
    NetshRuns RunCommands(const std::vector<std::string>& commands);

    NetworkPlatform m_platform;
    std::vector<Adapter> m_adapters;
    bool m_bAdaptersUnreadable = false;
};
