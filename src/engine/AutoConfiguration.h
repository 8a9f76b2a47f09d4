#pragma once

#include "config/ConnectionSettings.h"
#include "engine/EngineServices.h"
#include "engine/Outcome.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Finds a working setting by itself: the current one, else the saved
// configurations, static ones first, each tested with an echo request to
// the preferences' test address, until one answers. When none does, the
// connections it changed get their starting address settings back: a
// network that blocks echo requests may well have worked as it was.
class CAutoConfiguration {
public:
    explicit CAutoConfiguration(const EngineServices& services) : m_services(services) {}

    Outcome Run();

private:
    // Whether the current settings or one of the configurations worked, told
    // on the open progress display.
    bool FindWorkingSetting();
    // Shows the configuration at its position and finds its connection;
    // none, said on the display, when no connection has its name.
    std::optional<unsigned> Announce(const CONFIGURATION& config, std::size_t nPos);
    // Applies the address of the settings, keeping what the connection had
    // before this run first changed it; whether it took.
    bool ApplyAddress(const ConnectionSettings& settings, unsigned nConnection);
    // Puts back the starting address settings of every connection changed.
    // What did not take is told once the display has closed.
    std::vector<std::string> RestoreStartingSettings();
    // Tests the address just applied and, when it works, completes the
    // configuration with its DNS servers.
    bool TestAndSetDns(const CONFIGURATION& config, unsigned nConnection);
    bool TestAddressAnswers();

    EngineServices m_services;
    // Each connection this run changed, with its settings before the change.
    std::vector<std::pair<unsigned, ConnectionSettings>> m_starting;
    const CONFIGURATION* m_pFound = nullptr;
};
