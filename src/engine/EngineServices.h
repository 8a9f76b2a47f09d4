#pragma once

#include "config/ConfigList.h"
#include "engine/MainWindow.h"
#include "engine/Progress.h"
#include "net/Connections.h"
#include "net/EchoProbe.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

#include <optional>
#include <string_view>

// Everything the long operations work with, owned by the main dialog.
struct EngineServices {
    CConfigList& configs;
    IConnections& connections;
    IEchoProbe& probe;
    IProgress& progress;
    IMainWindow& window;
    IMessageBox& messages;
    IClock& clock;

    // Hides the main dialog and opens the progress display at position 0 of
    // the range 0 to nUpper.
    void BeginOperation(const char* pszCaption, int nUpper) const;
    // Closes the display and gives the main dialog back to the user.
    void EndOperation() const;

    // The connection of exactly this name; none when this computer has none.
    std::optional<unsigned> ConnectionNamed(std::string_view name) const;

    // The address, or the DNS servers, of the settings on connection i; zeros
    // when they come from DHCP.
    NetshRuns SetAddress(unsigned i, const ConnectionSettings& settings) const;
    NetshRuns SetDns(unsigned i, const ConnectionSettings& settings) const;
};
