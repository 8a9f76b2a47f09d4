#include "engine/TrayMenu.h"

#include "config/FieldText.h"

#include <optional>
#include <string_view>

std::vector<TrayMenuEntry> TrayMenuEntries(const CConfigList& configs, IConnections& connections)
{
    std::vector<TrayMenuEntry> entries;
    // Each connection's settings are read once, however many configurations it has.
    std::vector<std::optional<ConnectionSettings>> inForce(connections.GetAdapterCount());
    std::vector<char> checked(connections.GetAdapterCount(), 0);
    for (const CONFIGURATION& config : configs) {
        TrayMenuEntry& entry = entries.emplace_back(TrayMenuEntry{std::string(FieldText(config.szName, kNameSize))});
        const std::optional<unsigned> nConnection =
            ConnectionNamed(connections, FieldText(config.szConnection, kConnectionSize));
        entry.bEnabled = nConnection.has_value();
        if (!nConnection || checked[*nConnection])
            continue;
        std::optional<ConnectionSettings>& settings = inForce[*nConnection];
        if (!settings)
            settings = connections.GetSettingsInForce(*nConnection);
        entry.bChecked = *settings == SettingsOf(config);
        checked[*nConnection] = entry.bChecked ? 1 : 0;
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
