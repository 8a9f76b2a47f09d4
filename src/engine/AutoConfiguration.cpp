#include "engine/AutoConfiguration.h"

#include "config/FieldText.h"
#include "engine/ReadBack.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A lease takes a while even on a fast network, whatever the preference says.
constexpr std::uint32_t kMinimumDhcpWait = 4000;

// Names are kept whole, however long: the display shows what fits.
std::string NamedText(std::string_view before, const CONFIGURATION& config)
{
    std::string text(before);
    text += FieldText(config.szName, kNameSize);
    text += "'..";
    return text;
}

} // namespace

void CAutoConfiguration::Run()
{
    if (m_services.configs.GetCount() == 0) {
        m_services.messages.Show("No configuration defined.", mb::kOk | mb::kIconError);
        return;
    }
    // Configurations without a matching connection go to index 0, which
    // names nothing here.
    if (m_services.connections.GetAdapterCount() == 0) {
        m_services.messages.Show("No network connection is selected.", mb::kOk | mb::kIconError);
        return;
    }

    m_services.BeginOperation("Finding Appropriate Configuration..",
                              static_cast<int>(m_services.configs.GetCount()) - 1);
    const bool bFound = FindWorkingSetting();
    m_services.EndOperation();
    IMainWindow& window = m_services.window;
    if (!bFound)
        m_services.messages.Show("Can't find any appropriate Configuration.", mb::kOk | mb::kIconError);
    else if (m_services.configs.GetPreferences().bExitAfterAuto != 0)
        window.EndAsOk();
    window.RefreshSettings();
}

bool CAutoConfiguration::FindWorkingSetting()
{
    IProgress& progress = m_services.progress;
    progress.SetText("Ping testing for Current Configuration ..");
    if (TestAddressAnswers()) {
        progress.SetText("Current Configuration is working.");
        return true;
    }

    // Static configurations are quick to try; those that need a lease wait
    // until every static one has failed.
    std::vector<const CONFIGURATION*> deferred;
    deferred.reserve(m_services.configs.GetCount());
    std::size_t k = 0;
    for (const CONFIGURATION* pConfig = m_services.configs.GetHead(); pConfig; pConfig = pConfig->pNext) {
        const unsigned nConnection = Announce(*pConfig, k);
        if (pConfig->bDhcpAddress != 0) {
            // Its position is shown again by the next configuration.
            deferred.push_back(pConfig);
            continue;
        }
        ++k;
        const ConnectionSettings settings = SettingsOf(*pConfig);
        m_services.SetAddress(nConnection, settings);
        if (TookAddress(settings, nConnection) && TestAndSetDns(*pConfig, nConnection))
            return true;
    }

    const std::uint32_t dwWait = std::max(m_services.configs.GetPreferences().nDhcpWait, kMinimumDhcpWait);
    for (const CONFIGURATION* pConfig : deferred) {
        const unsigned nConnection = Announce(*pConfig, k++);
        const ConnectionSettings settings = SettingsOf(*pConfig);
        m_services.SetAddress(nConnection, settings);
        if (!TookAddress(settings, nConnection))
            continue;
        progress.SetText("Waiting for obtaining IP address from DHCP Server..");
        // No pumping: the progress display paints on its own thread.
        m_services.clock.Sleep(dwWait);
        if (TestAndSetDns(*pConfig, nConnection))
            return true;
    }
    return false;
}

unsigned CAutoConfiguration::Announce(const CONFIGURATION& config, std::size_t nPos)
{
    m_services.progress.SetPos(static_cast<int>(nPos));
    m_services.progress.SetText(NamedText("Applying Configuration '", config).c_str());
    return ConnectionIndex(config);
}

bool CAutoConfiguration::TookAddress(const ConnectionSettings& settings, unsigned nConnection)
{
    // Probing settings that did not take would test the old ones again, and
    // credit their answer to this configuration.
    return AddressTook(settings, m_services.connections.GetSettingsInForce(nConnection));
}

bool CAutoConfiguration::TestAndSetDns(const CONFIGURATION& config, unsigned nConnection)
{
    m_services.progress.SetText(NamedText("Ping testing for Configuration '", config).c_str());
    if (!TestAddressAnswers())
        return false;
    m_services.progress.SetText("Setting DNS Servers..");
    m_services.SetDns(nConnection, SettingsOf(config));
    return true;
}

unsigned CAutoConfiguration::ConnectionIndex(const CONFIGURATION& config) const
{
    const std::string_view wanted = FieldText(config.szConnection, kConnectionSize);
    for (unsigned i = 0; i < m_services.connections.GetAdapterCount(); ++i) {
        const char* pszName = m_services.connections.GetConnectionName(i);
        if (pszName && wanted == pszName)
            return i;
    }
    return 0;
}

bool CAutoConfiguration::TestAddressAnswers()
{
    const Ipv4Addr host = Ipv4Addr::FromControlOrder(m_services.configs.GetPreferences().dwTestAddress);
    return m_services.probe.Ping(host.Dotted().c_str()) != 0;
}
