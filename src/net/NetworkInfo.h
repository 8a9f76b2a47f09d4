#pragma once

#include "net/Connections.h"
#include "net/NetworkPlatform.h"

#include <cstdint>
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

    unsigned GetAdapterCount() const override;
    // Empty (nullptr) when no connection matched the adapter.
    const char* GetConnectionName(unsigned i) const override;

    bool IsDhcpEnabled(unsigned i);
    bool IsDnsFromDhcp(unsigned i);
    std::uint32_t GetIpAddress(unsigned i, unsigned k);
    std::uint32_t GetSubnetMask(unsigned i, unsigned k);
    std::uint32_t GetDefaultGateway(unsigned i, unsigned k);
    std::uint32_t GetDnsServer(unsigned i, unsigned k);

    static std::uint32_t SwapByteOrder(std::uint32_t dwValue);

    // Run netsh for connection i; zeros ask for DHCP. They return whether the
    // commands were run: never for a connection without a safe name.
    bool SetAddress(unsigned i, std::uint32_t dwAddress, std::uint32_t dwMask, std::uint32_t dwGateway) override;
    bool SetDns(unsigned i, std::uint32_t dwDns1, std::uint32_t dwDns2, std::uint32_t dwDns3) override;
    bool RunNetsh(const std::string& file, const std::string& parameters);

private:
    struct Adapter {
        AdapterEntry entry;
        std::optional<std::string> connection;
    };

    void ReadAdapters();
    void MatchConnectionNames();
    std::string InterfaceKeyPath(unsigned i) const;
    std::uint32_t ReadSetting(unsigned i, unsigned k, const char* pszStatic, const char* pszDhcp);
    // The connection name of i when it is safe to put in a command.
    const char* CommandName(unsigned i) const;
    std::string NetshPath();
    bool RunCommands(const std::vector<std::string>& commands);

    NetworkPlatform m_platform;
    std::vector<Adapter> m_adapters;
};
