#pragma once

#include "config/ConfigList.h"
#include "net/Connections.h"

#include <string>
#include <vector>

// A saved configuration as the tray's menu offers it.
struct TrayMenuEntry {
    std::string name;
    // Its settings are the ones its connection has now; for each connection
    // only the first such configuration, as the main dialog selects it.
    bool bChecked = false;
    // Its connection is on this computer.
    bool bEnabled = false;
};

// The configurations in list order.
std::vector<TrayMenuEntry> TrayMenuEntries(const CConfigList& configs, IConnections& connections);

// The icon's tooltip: the preferred connection, else the first one, with
// its address, or "DHCP" when the address comes from a lease.
std::string TrayTip(const CConfigList& configs, IConnections& connections);
