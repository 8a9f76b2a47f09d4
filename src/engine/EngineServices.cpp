#include "engine/EngineServices.h"

void EngineServices::BeginOperation(const char* pszCaption, int nUpper) const
{
    progress.Start();
    progress.SetCaption(pszCaption);
    progress.SetRange(0, nUpper);
    progress.SetPos(0);
}

NetshRuns EngineServices::SetAddress(unsigned i, const ConnectionSettings& settings) const
{
    if (settings.bDhcpAddress)
        return connections.SetAddress(i, {}, {}, {});
    return connections.SetAddress(i, settings.ipAddress, settings.subnetMask, settings.gateway);
}

NetshRuns EngineServices::SetDns(unsigned i, const ConnectionSettings& settings) const
{
    if (settings.bDhcpDns)
        return connections.SetDns(i, {}, {}, {});
    return connections.SetDns(i, settings.dns[0], settings.dns[1], settings.dns[2]);
}

bool EngineServices::AddressUsedElsewhere(unsigned i, const ConnectionSettings& settings) const
{
    if (settings.bDhcpAddress || settings.ipAddress.IsNone())
        return false;
    const std::uint32_t start = clock.TickCount();
    AddressState state = connections.StateOf(i, settings.ipAddress);
    while (state == AddressState::Tentative && clock.TickCount() - start < kAddressCheckTime) {
        clock.Sleep(kAddressCheckPause);
        state = connections.StateOf(i, settings.ipAddress);
    }
    return state == AddressState::Duplicate;
}
