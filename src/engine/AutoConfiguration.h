#pragma once

#include "config/ConnectionSettings.h"
#include "engine/EngineServices.h"

#include <cstddef>

// Finds a working setting by itself: the current one, else the saved
// configurations, static ones first, each tested with an echo request to
// the preferences' test address, until one answers.
class CAutoConfiguration {
public:
    explicit CAutoConfiguration(const EngineServices& services) : m_services(services) {}

    void Run();

private:
    // Whether the current settings or one of the configurations worked, told
    // on the open progress display.
    bool FindWorkingSetting();
    // Shows the configuration at its position and finds its connection.
    unsigned Announce(const CONFIGURATION& config, std::size_t nPos);
    // Tests the address just applied and, when it works, completes the
    // configuration with its DNS servers.
    bool TestAndSetDns(const CONFIGURATION& config, unsigned nConnection);
    // Whether the address just applied is in force.
    bool TookAddress(const ConnectionSettings& settings, unsigned nConnection);
    unsigned ConnectionIndex(const CONFIGURATION& config) const;
    bool TestAddressAnswers();

    EngineServices m_services;
};
