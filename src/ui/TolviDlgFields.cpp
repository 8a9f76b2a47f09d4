// How the main dialog's fields follow the connection, the configuration
// chosen and the user's edits.
#include "ui/TolviDlg.h"

#include "config/FieldText.h"
#include "resource.h"
#include "ui/ConnectionCombo.h"
#include "ui/TolviAdvancedDlg.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace {

// An address into a control; none leaves it empty.
void Put(CIPAddressCtrl& control, Ipv4Addr address)
{
    if (!address.IsNone())
        control.SetIpv4Addr(address);
}

// "+2 addresses, +1 gateway"; empty when there are none.
std::string MoreText(std::size_t nAddresses, std::size_t nGateways)
{
    const auto count = [](std::size_t n, const char* pszOne, const char* pszMany) {
        return n == 0 ? std::string() : "+" + std::to_string(n) + " " + (n == 1 ? pszOne : pszMany);
    };
    std::string text = count(nAddresses, "address", "addresses");
    const std::string gateways = count(nGateways, "gateway", "gateways");
    if (!text.empty() && !gateways.empty())
        text += ", ";
    return text + gateways;
}

} // namespace

void CTolviDlg::EnableAddressFields(bool bEnable)
{
    for (CIPAddressCtrl* pControl : AddressFields())
        pControl->EnableWindow(bEnable);
    m_buttonAdvanced.EnableWindow(bEnable);
}

void CTolviDlg::ShowConnectionSettings()
{
    unsigned i = 0;
    // Nothing to read: DHCP's empty fields, which take no input.
    ShowSettings(SelectedConnection(m_comboConnection, m_networkInfo, i) ? m_networkInfo.GetSettings(i)
                                                                         : ConnectionSettings{});
}

void CTolviDlg::ShowConfiguration(const char* pszName)
{
    const CONFIGURATION* pConfig = m_configList.Find(pszName);
    if (!pConfig)
        return;
    // Its own connection, by the whole name: a prefix would pick "A 2" for
    // "A" and the next apply would change the wrong adapter.
    if (const std::optional<unsigned> i =
            ConnectionNamed(m_networkInfo, FieldText(pConfig->szConnection, kConnectionSize)))
        m_comboConnection.SetCurSel(static_cast<int>(*i));
    ShowSettings(SettingsOf(*pConfig));
}

void CTolviDlg::ShowSettings(const ConnectionSettings& settings)
{
    m_nIpMode = settings.bDhcpAddress ? 0 : 1;
    PutAddresses(settings.bDhcpAddress ? ConnectionSettings{} : settings);
    EnableAddressFields(!settings.bDhcpAddress);

    m_nDnsMode = settings.bDhcpDns ? 0 : 1;
    const auto dns = DnsFields();
    for (unsigned k = 0; k < 3; ++k) {
        dns[k]->ClearAddress();
        if (!settings.bDhcpDns)
            Put(*dns[k], settings.dns[k]);
    }
    UpdateDnsFields();
    UpdateData(FALSE);
}

void CTolviDlg::PutAddresses(const ConnectionSettings& settings)
{
    for (CIPAddressCtrl* pControl : AddressFields())
        pControl->ClearAddress();
    Put(m_ipAddress, settings.ipAddress);
    Put(m_ipSubnetMask, settings.subnetMask);
    Put(m_ipGateway, settings.gateway);
    m_moreAddresses = settings.moreAddresses;
    m_moreGateways = settings.moreGateways;
    UpdateMoreText();
}

ConnectionSettings CTolviDlg::FieldSettings() const
{
    ConnectionSettings settings{m_nIpMode == 0,
                                m_ipAddress.GetIpv4Addr(),
                                m_ipSubnetMask.GetIpv4Addr(),
                                m_ipGateway.GetIpv4Addr(),
                                m_nDnsMode == 0,
                                {m_ipDns1.GetIpv4Addr(), m_ipDns2.GetIpv4Addr(), m_ipDns3.GetIpv4Addr()},
                                {},
                                {}};
    // Held, not lost, while the fields leave no room for them.
    if (!settings.bDhcpAddress && !settings.ipAddress.IsNone())
        settings.moreAddresses = m_moreAddresses;
    if (!settings.bDhcpAddress && !settings.gateway.IsNone())
        settings.moreGateways = m_moreGateways;
    return settings;
}

void CTolviDlg::UpdateMoreText()
{
    const ConnectionSettings shown = FieldSettings();
    SetDlgItemText(IDC_MORE_ADDRESSES, MoreText(shown.moreAddresses.size(), shown.moreGateways.size()).c_str());
}

void CTolviDlg::OnAdvanced()
{
    ConnectionSettings settings = FieldSettings();
    CTolviAdvancedDlg dlg(m_system.messages, this);
    dlg.Load(settings);
    if (dlg.DoModal() != IDOK)
        return;
    dlg.StoreInto(settings);
    PutAddresses(settings);
    SelectMatchingConfiguration();
}

void CTolviDlg::UpdateDnsFields()
{
    const auto dns = DnsFields();
    const std::array<Ipv4Addr, 3> shown{dns[0]->GetIpv4Addr(), dns[1]->GetIpv4Addr(), dns[2]->GetIpv4Addr()};
    // The servers that are set move up, in their order.
    std::array<Ipv4Addr, 3> servers{};
    std::ranges::copy_if(shown, servers.begin(), [](Ipv4Addr server) { return !server.IsNone(); });
    if (m_nDnsMode == 1) {
        for (unsigned k = 0; k < 3; ++k) {
            // A field being typed in is left alone unless its server moved:
            // writing it back would put zeros where the user types next.
            if (!servers[k].IsNone() && servers[k] != shown[k])
                Put(*dns[k], servers[k]);
            else if (servers[k].IsNone() && !dns[k]->IsBlank())
                dns[k]->ClearAddress();
        }
        m_ipDns1.EnableWindow(TRUE);
        m_ipDns2.EnableWindow(!servers[0].IsNone());
        m_ipDns3.EnableWindow(!servers[1].IsNone());
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
        pFound = m_configList.FindIdentical(pszConnection, FieldSettings());
    if (!pFound) {
        // The placeholder is always last; a search by its text could stop at
        // a configuration whose name begins the same way.
        m_comboConfiguration.SetCurSel(m_comboConfiguration.GetCount() - 1);
        UpdateData(FALSE);
        return;
    }
    int nPosition = 0;
    for (const CONFIGURATION& config : m_configList) {
        if (&config == pFound) {
            m_comboConfiguration.SetCurSel(nPosition);
            return;
        }
        ++nPosition;
    }
}

void CTolviDlg::FillConfigurationCombo()
{
    m_comboConfiguration.ResetContent();
    for (const CONFIGURATION& config : m_configList)
        m_comboConfiguration.AddString(config.szName);
    m_comboConfiguration.AddString(m_szNewConfiguration);
    SelectMatchingConfiguration();
}
