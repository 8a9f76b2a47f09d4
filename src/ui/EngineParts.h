#pragma once

#include "config/ConfigList.h"
#include "engine/EngineServices.h"
#include "net/NetworkInfo.h"
#include "net/Ping.h"
#include "ui/TolviSystem.h"

// The connections and the echo probe the long operations work on, made from
// the system services: the one place that puts the engine together, for the
// main dialog, the script runs and the tray alike. Building it reads the
// adapters.
class CEngineParts {
public:
    explicit CEngineParts(const TolviSystem& system)
        : connections(system.network), probe(system.sockets, system.clock, system.network.pump), m_clock(system.clock)
    {
    }

    EngineServices Services(CConfigList& configs, IProgress& progress)
    {
        return {configs, connections, probe, progress, m_clock};
    }

    CNetworkInfo connections;
    CPing probe;

private:
    IClock& m_clock;
};
