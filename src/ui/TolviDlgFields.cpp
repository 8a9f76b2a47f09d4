// How the main dialog's fields follow the connection, the configuration
// chosen and the user's edits.
#include "ui/TolviDlg.h"

#include "config/FieldText.h"
#include "ui/ConnectionCombo.h"

#include <optional>

namespace {

// An address into a control; none leaves it empty.
void Put(CIPAddressCtrl& control, Ipv4Addr address)
{
    if (!address.IsNone())
        control.SetAddress(address.ControlOrder());
}

// A control's address in control order; an empty field gives 0.
std::uint32_t Read(const CIPAddressCtrl& control)
{
    std::uint32_t dwAddress = 0;
    control.GetAddress(dwAddress);
    return dwAddress;
}

Ipv4Addr AddressOf(const CIPAddressCtrl& control)
{
    return Ipv4Addr::FromControlOrder(Read(control));
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
    ShowSettings(m_networkInfo.GetSettings(i));
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
    for (CIPAddressCtrl* pControl : AddressFields())
        pControl->ClearAddress();
    if (!settings.bDhcpAddress) {
        Put(m_ipAddress, settings.ipAddress);
        Put(m_ipSubnetMask, settings.subnetMask);
        Put(m_ipGateway, settings.gateway);
    }
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

ConnectionSettings CTolviDlg::FieldSettings() const
{
    return {m_nIpMode == 0,
            AddressOf(m_ipAddress),
            AddressOf(m_ipSubnetMask),
            AddressOf(m_ipGateway),
            m_nDnsMode == 0,
            {AddressOf(m_ipDns1), AddressOf(m_ipDns2), AddressOf(m_ipDns3)}};
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
