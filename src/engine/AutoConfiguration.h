#pragma once

#include "engine/EngineServices.h"

// Finds a working setting by itself: the current one, else the saved
// configurations, static ones first, each tested with an echo request to
// the preferences' test address, until one answers.
class CAutoConfiguration {
public:
    explicit CAutoConfiguration(const EngineServices& services) : m_services(services) {}

    void Run();

private:
    EngineServices m_services;
};
