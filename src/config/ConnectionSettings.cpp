#include "config/ConnectionSettings.h"

bool operator==(const ConnectionSettings& a, const ConnectionSettings& b)
{
    if (a.bDhcpAddress != b.bDhcpAddress || a.bDhcpDns != b.bDhcpDns)
        return false;
    if (a.bDhcpAddress && a.bDhcpDns)
        return true;
    if (a.dns != b.dns)
        return false;
    return a.bDhcpAddress || (a.ipAddress == b.ipAddress && a.subnetMask == b.subnetMask && a.gateway == b.gateway);
}

ConnectionSettings SettingsOf(const CONFIGURATION& config)
{
    return {
        config.bDhcpAddress != 0,
        Ipv4Addr::FromValue(config.dwIpAddress),
        Ipv4Addr::FromValue(config.dwSubnetMask),
        Ipv4Addr::FromValue(config.dwGateway),
        config.bDhcpDns != 0,
        {Ipv4Addr::FromValue(config.dwDns1), Ipv4Addr::FromValue(config.dwDns2), Ipv4Addr::FromValue(config.dwDns3)}};
}

void StoreSettings(CONFIGURATION& config, const ConnectionSettings& settings)
{
    config.bDhcpAddress = settings.bDhcpAddress ? 1 : 0;
    config.bDhcpDns = settings.bDhcpDns ? 1 : 0;
    config.dwIpAddress = settings.ipAddress.Value();
    config.dwSubnetMask = settings.subnetMask.Value();
    config.dwGateway = settings.gateway.Value();
    config.dwDns1 = settings.dns[0].Value();
    config.dwDns2 = settings.dns[1].Value();
    config.dwDns3 = settings.dns[2].Value();
}
