#include "engine/ApplyConfiguration.h"

#include "net/NetworkInfo.h"
#include "platform/MessageBox.h"

void CApplyConfiguration::Run(const ApplyInputs& inputs)
{
    // An empty connection box gives no index, a stale one may point past the
    // adapters found, and an adapter without a connection name cannot be
    // named to netsh: none of them is a connection to apply to, and showing
    // "Done." for them would claim what never happened.
    if (inputs.nConnection < 0 ||
        static_cast<unsigned>(inputs.nConnection) >= m_services.connections.GetAdapterCount() ||
        !m_services.connections.GetConnectionName(static_cast<unsigned>(inputs.nConnection))) {
        m_services.messages.Show("No network connection is selected.", mb::kOk | mb::kIconError);
        return;
    }
    const unsigned nConnection = static_cast<unsigned>(inputs.nConnection);
    const std::uint32_t dwIpAddress = CNetworkInfo::SwapByteOrder(inputs.dwIpAddress);
    const std::uint32_t dwSubnetMask = CNetworkInfo::SwapByteOrder(inputs.dwSubnetMask);
    const std::uint32_t dwGateway = CNetworkInfo::SwapByteOrder(inputs.dwGateway);
    const std::uint32_t dwDns1 = CNetworkInfo::SwapByteOrder(inputs.dwDns1);
    const std::uint32_t dwDns2 = CNetworkInfo::SwapByteOrder(inputs.dwDns2);
    const std::uint32_t dwDns3 = CNetworkInfo::SwapByteOrder(inputs.dwDns3);

    IProgress& progress = m_services.progress;
    IConnections& connections = m_services.connections;
    m_services.BeginOperation("Applying Network Configuration..", 2);

    // netsh gives no result worth acting on: the DNS step runs regardless.
    progress.SetText("Setting IP Address, Subnet Mask and Default Gateway...");
    if (inputs.nAddressMode == 0)
        connections.SetAddress(nConnection, 0, 0, 0);
    else
        connections.SetAddress(nConnection, dwIpAddress, dwSubnetMask, dwGateway);
    progress.SetPos(1);

    progress.SetText("Setting DNS Servers...");
    if (inputs.nDnsMode == 0)
        connections.SetDns(nConnection, 0, 0, 0);
    else
        connections.SetDns(nConnection, dwDns1, dwDns2, dwDns3);
    progress.SetPos(2);

    progress.SetText("Done.");
    m_services.EndOperation();
    if (m_services.configs.GetPreferences().bExitAfterApply != 0)
        m_services.window.EndAsOk();
}
