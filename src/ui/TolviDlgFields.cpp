// How the main dialog's fields follow the connection, the configuration
// chosen and the user's edits.
#include "ui/TolviDlg.h"

#include "ui/ConnectionCombo.h"

#include <cstring>

namespace {

// An address value into a control; 0 leaves it empty.
void Put(CIPAddressCtrl& control, std::uint32_t dwAddressValue)
{
    if (dwAddressValue != 0)
        control.SetAddress(CNetworkInfo::SwapByteOrder(dwAddressValue));
}

// A control's address in control order; an empty field gives 0.
std::uint32_t Read(const CIPAddressCtrl& control)
{
    std::uint32_t dwAddress = 0;
    control.GetAddress(dwAddress);
    return dwAddress;
}

} // namespace

void CTolviDlg::EnableAddressFields(bool bEnable)
{
    for (CIPAddressCtrl* pControl : AddressFields())
        pControl->EnableWindow(bEnable);
}

void CTolviDlg::ShowConnectionSettings()
{
    unsigned i = 0;
    if (!SelectedConnection(m_comboConnection, m_networkInfo, i)) {
        // Nothing to read: empty fields that take no input.
        m_nIpMode = 0;
        m_nDnsMode = 0;
        for (CIPAddressCtrl* pControl : AllFields()) {
            pControl->ClearAddress();
            pControl->EnableWindow(FALSE);
        }
        UpdateData(FALSE);
        return;
    }
    ShownSettings settings;
    settings.bDhcpAddress = m_networkInfo.IsDhcpEnabled(i);
    if (!settings.bDhcpAddress) {
        settings.dwIpAddress = m_networkInfo.GetIpAddress(i, 0);
        settings.dwSubnetMask = m_networkInfo.GetSubnetMask(i, 0);
        settings.dwGateway = m_networkInfo.GetDefaultGateway(i, 0);
    }
    settings.bDhcpDns = m_networkInfo.IsDnsFromDhcp(i);
    if (!settings.bDhcpDns) {
        for (unsigned k = 0; k < 3; ++k)
            settings.dwDns[k] = m_networkInfo.GetDnsServer(i, k);
    }
    ShowSettings(settings);
}

void CTolviDlg::ShowConfiguration(const char* pszName)
{
    const CONFIGURATION* pConfig = m_configList.Find(pszName);
    if (!pConfig)
        return;
    // Its own connection, by the whole name: a prefix would pick "A 2" for
    // "A" and the next apply would change the wrong adapter.
    for (unsigned i = 0; i < m_networkInfo.GetAdapterCount(); ++i) {
        const char* pszConnection = m_networkInfo.GetConnectionName(i);
        if (pszConnection && std::strcmp(pszConnection, pConfig->szConnection) == 0) {
            m_comboConnection.SetCurSel(static_cast<int>(i));
            break;
        }
    }
    ShownSettings settings;
    settings.bDhcpAddress = pConfig->bDhcpAddress != 0;
    settings.dwIpAddress = pConfig->dwIpAddress;
    settings.dwSubnetMask = pConfig->dwSubnetMask;
    settings.dwGateway = pConfig->dwGateway;
    settings.bDhcpDns = pConfig->bDhcpDns != 0;
    settings.dwDns[0] = pConfig->dwDns1;
    settings.dwDns[1] = pConfig->dwDns2;
    settings.dwDns[2] = pConfig->dwDns3;
    ShowSettings(settings);
}

void CTolviDlg::ShowSettings(const ShownSettings& settings)
{
    m_nIpMode = settings.bDhcpAddress ? 0 : 1;
    for (CIPAddressCtrl* pControl : AddressFields())
        pControl->ClearAddress();
    if (!settings.bDhcpAddress) {
        Put(m_ipAddress, settings.dwIpAddress);
        Put(m_ipSubnetMask, settings.dwSubnetMask);
        Put(m_ipGateway, settings.dwGateway);
    }
    EnableAddressFields(!settings.bDhcpAddress);

    m_nDnsMode = settings.bDhcpDns ? 0 : 1;
    const auto dns = DnsFields();
    for (unsigned k = 0; k < 3; ++k) {
        dns[k]->ClearAddress();
        if (!settings.bDhcpDns)
            Put(*dns[k], settings.dwDns[k]);
    }
    UpdateDnsFields();
    UpdateData(FALSE);
}

CTolviDlg::ShownSettings CTolviDlg::FieldSettings() const
{
    ShownSettings settings;
    settings.bDhcpAddress = m_nIpMode == 0;
    settings.dwIpAddress = CNetworkInfo::SwapByteOrder(Read(m_ipAddress));
    settings.dwSubnetMask = CNetworkInfo::SwapByteOrder(Read(m_ipSubnetMask));
    settings.dwGateway = CNetworkInfo::SwapByteOrder(Read(m_ipGateway));
    settings.bDhcpDns = m_nDnsMode == 0;
    settings.dwDns[0] = CNetworkInfo::SwapByteOrder(Read(m_ipDns1));
    settings.dwDns[1] = CNetworkInfo::SwapByteOrder(Read(m_ipDns2));
    settings.dwDns[2] = CNetworkInfo::SwapByteOrder(Read(m_ipDns3));
    return settings;
}

const CONFIGURATION* CTolviDlg::FindIdenticalTo(const char* pszConnection, const ShownSettings& settings) const
{
    return m_configList.FindIdentical(pszConnection, settings.bDhcpAddress ? 1 : 0, settings.bDhcpDns ? 1 : 0,
                                      settings.dwIpAddress, settings.dwSubnetMask, settings.dwGateway,
                                      settings.dwDns[0], settings.dwDns[1], settings.dwDns[2]);
}

void CTolviDlg::UpdateDnsFields()
{
    const auto dns = DnsFields();
    const std::uint32_t shown[3] = {Read(*dns[0]), Read(*dns[1]), Read(*dns[2])};
    std::uint32_t d1 = shown[0], d2 = shown[1], d3 = shown[2];
    // The servers that are set move up, in their order.
    if (d2 == 0) {
        d2 = d3;
        d3 = 0;
    }
    if (d1 == 0) {
        d1 = d2;
        d2 = d3;
        d3 = 0;
    }
    if (m_nDnsMode == 1) {
        const std::uint32_t values[3] = {d1, d2, d3};
        for (unsigned k = 0; k < 3; ++k) {
            // A field being typed in is left alone unless its server moved:
            // writing it back would put zeros where the user types next.
            if (values[k] != 0 && values[k] != shown[k])
                dns[k]->SetAddress(values[k]);
            else if (values[k] == 0 && !dns[k]->IsBlank())
                dns[k]->ClearAddress();
        }
        m_ipDns1.EnableWindow(TRUE);
        m_ipDns2.EnableWindow(d1 != 0);
        m_ipDns3.EnableWindow(d2 != 0);
    } else {
        for (CIPAddressCtrl* pDns : dns)
            pDns->EnableWindow(FALSE);
    }
    UpdateData(FALSE);
}

void CTolviDlg::SelectMatchingConfiguration()
{
    const CONFIGURATION* pFound = nullptr;
    // An unnamed connection, or none, equals no configuration's connection.
    if (const char* pszConnection = SelectedConnectionName(m_comboConnection, m_networkInfo))
        pFound = FindIdenticalTo(pszConnection, FieldSettings());
    if (!pFound) {
        // The placeholder is always last; a search by its text could stop at
        // a configuration whose name begins the same way.
        m_comboConfiguration.SetCurSel(m_comboConfiguration.GetCount() - 1);
        UpdateData(FALSE);
        return;
    }
    int nPosition = 0;
    for (const CONFIGURATION* pConfig = m_configList.GetHead(); pConfig; pConfig = pConfig->pNext, ++nPosition) {
        if (pConfig == pFound) {
            m_comboConfiguration.SetCurSel(nPosition);
            return;
        }
    }
}

void CTolviDlg::FillConfigurationCombo()
{
    m_comboConfiguration.ResetContent();
    for (const CONFIGURATION* pConfig = m_configList.GetHead(); pConfig; pConfig = pConfig->pNext)
        m_comboConfiguration.AddString(pConfig->szName);
    m_comboConfiguration.AddString(m_szNewConfiguration);
    SelectMatchingConfiguration();
}
