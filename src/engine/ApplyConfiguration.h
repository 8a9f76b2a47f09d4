#pragma once

#include "config/ConnectionSettings.h"
#include "engine/EngineServices.h"
#include "engine/Outcome.h"

#include <string>

// The settings the main dialog shows when its Apply button is pressed.
struct ApplyInputs {
    int nConnection; // the connection box's selection; negative when none
    ConnectionSettings settings;
};

// Applies the shown settings to the selected connection: the address, then
// the DNS servers, while the progress display says what is being done; then
// reads them back, and says "Done." only when they took.
class CApplyConfiguration {
public:
    explicit CApplyConfiguration(const EngineServices& services) : m_services(services) {}

    Outcome Run(const ApplyInputs& inputs);

private:
    EngineServices m_services;
};

// Applies the saved configuration of exactly this name to its own
// connection, as a script or the tray asks for it. An unknown name, or a
// connection this computer lacks, is told and applies nothing; a name that
// differs from a saved one only in letter case is unknown, and the saved
// one is named.
Outcome ApplyNamedConfiguration(const EngineServices& services, const std::string& name);

// What is said once a saved configuration took.
std::string AppliedText(const CONFIGURATION& config);
