#include "engine/TrayMenu.h"

#include "config/FieldText.h"

#include <algorithm>
#include <optional>
#include <string_view>

std::vector<TrayMenuEntry> TrayMenuEntries(const CConfigList& configs, IConnections& connections)
{
    std::vector<TrayMenuEntry> entries;
    std::vector<std::string_view> checkedConnections;
    for (const CONFIGURATION* pConfig = configs.GetHead(); pConfig; pConfig = pConfig->pNext) {
        TrayMenuEntry& entry = entries.emplace_back(TrayMenuEntry{std::string(FieldText(pConfig->szName, kNameSize))});
        const std::string_view connection = FieldText(pConfig->szConnection, kConnectionSize);
        const std::optional<unsigned> nConnection = ConnectionNamed(connections, connection);
        entry.bEnabled = nConnection.has_value();
        if (!nConnection ||
            std::find(checkedConnections.begin(), checkedConnections.end(), connection) != checkedConnections.end())
            continue;
        entry.bChecked = connections.GetSettingsInForce(*nConnection) == SettingsOf(*pConfig);
        if (entry.bChecked)
            checkedConnections.push_back(connection);
    }
    return entries;
}

std::string TrayTip(const CConfigList& configs, IConnections& connections)
{
    const std::string_view preferred = FieldText(configs.GetPreferences().szDefaultConnection, kDefaultConnectionSize);
    std::optional<unsigned> nConnection = ConnectionNamed(connections, preferred);
    for (unsigned i = 0; !nConnection && i < connections.GetAdapterCount(); ++i) {
        if (connections.GetConnectionName(i))
            nConnection = i;
    }
    if (!nConnection)
        return "Tolvi - no network connection";
    const ConnectionSettings settings = connections.GetSettingsInForce(*nConnection);
    const std::string address = settings.bDhcpAddress         ? "DHCP"
                                : settings.ipAddress.IsNone() ? "no address"
                                                              : settings.ipAddress.Dotted();
    return std::string("Tolvi - ") + connections.GetConnectionName(*nConnection) + ": " + address;
}
