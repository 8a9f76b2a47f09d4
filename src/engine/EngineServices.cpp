#include "engine/EngineServices.h"

void EngineServices::BeginOperation(const char* pszCaption, int nUpper) const
{
    progress.Start();
    progress.SetCaption(pszCaption);
    progress.SetRange(0, nUpper);
    progress.SetPos(0);
}

NetshRuns EngineServices::SetDns(unsigned i, const ConnectionSettings& settings) const
{
    if (settings.bDhcpDns)
        return connections.SetDns(i, {}, {}, {});
    return connections.SetDns(i, settings.dns[0], settings.dns[1], settings.dns[2]);
}

std::vector<std::size_t> EngineServices::AddressesUsedElsewhere(unsigned i, const ConnectionSettings& settings) const
{
    std::vector<std::size_t> used;
    if (settings.bDhcpAddress || settings.ipAddress.IsNone())
        return used;
    std::vector<Ipv4Addr> addresses = {settings.ipAddress};
    for (const AddressMask& more : settings.moreAddresses)
        addresses.push_back(more.address);
    const std::uint32_t start = clock.TickCount();
    for (std::size_t k = 0; k < addresses.size(); ++k) {
        AddressState state = connections.StateOf(i, addresses[k]);
        while (state == AddressState::Tentative && clock.TickCount() - start < kAddressCheckTime) {
            clock.Sleep(kAddressCheckPause);
            state = connections.StateOf(i, addresses[k]);
        }
        if (state == AddressState::Duplicate)
            used.push_back(k);
    }
    return used;
}
