#pragma once

#include "config/ConfigList.h"
#include "engine/Progress.h"
#include "net/Connections.h"
#include "net/EchoProbe.h"
#include "platform/Clock.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Everything the long operations work with. They show nothing else: what
// they have to tell comes back in their outcome.
struct EngineServices {
    CConfigList& configs;
    IConnections& connections;
    IEchoProbe& probe;
    IProgress& progress;
    IClock& clock;

    // Opens the progress display at position 0 of the range 0 to nUpper.
    void BeginOperation(const char* pszCaption, int nUpper) const;

    // The DNS servers of the settings on connection i; zeros when they come
    // from DHCP.
    NetshRuns SetDns(unsigned i, const ConnectionSettings& settings) const;

    // Which static addresses of the settings (0: the first, 1: the first
    // further one...) Windows found in use by another computer, which it then
    // never uses. While it is still asking the network, an address is not
    // used yet either: this waits for the answers, at most kAddressCheckTime
    // for all of them.
    std::vector<std::size_t> AddressesUsedElsewhere(unsigned i, const ConnectionSettings& settings) const;
    static constexpr std::uint32_t kAddressCheckTime = 10000;
    static constexpr std::uint32_t kAddressCheckPause = 250;
};
