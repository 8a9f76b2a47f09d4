#include "config/ConnectionSettings.h"

bool operator==(const ConnectionSettings& a, const ConnectionSettings& b)
{
    if (a.bDhcpAddress != b.bDhcpAddress || a.bDhcpDns != b.bDhcpDns)
        return false;
    if (a.bDhcpAddress && a.bDhcpDns)
        return true;
    if (a.dns != b.dns)
        return false;
    return a.bDhcpAddress || (a.ipAddress == b.ipAddress && a.subnetMask == b.subnetMask && a.gateway == b.gateway &&
                              a.moreAddresses == b.moreAddresses && a.moreGateways == b.moreGateways);
}

ConnectionSettings SettingsOf(const CONFIGURATION& config)
{
    return {config.bDhcpAddress != 0, config.ipAddress,     config.subnetMask,
            config.gateway,           config.bDhcpDns != 0, {config.dns1, config.dns2, config.dns3},
            config.moreAddresses,     config.moreGateways};
}

void StoreSettings(CONFIGURATION& config, const ConnectionSettings& settings)
{
    config.bDhcpAddress = settings.bDhcpAddress ? 1 : 0;
    config.bDhcpDns = settings.bDhcpDns ? 1 : 0;
    config.ipAddress = settings.ipAddress;
    config.subnetMask = settings.subnetMask;
    config.gateway = settings.gateway;
    config.dns1 = settings.dns[0];
    config.dns2 = settings.dns[1];
    config.dns3 = settings.dns[2];
    config.moreAddresses = settings.moreAddresses;
    config.moreGateways = settings.moreGateways;
}
