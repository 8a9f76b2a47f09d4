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
std::string NamedText(std::string_view before, const CONFIGURATION& config, std::string_view after = "'..")
{
    std::string text(before);
    text += FieldText(config.szName, kNameSize);
    text += after;
    return text;
}

} // namespace

Outcome CAutoConfiguration::Run()
{
    if (m_services.configs.GetCount() == 0)
        return {ExitCode::DidNotWork, {{"No configuration defined.", mb::kIconError}}};
    // Configurations without a matching connection go to index 0, which
    // names nothing here.
    if (m_services.connections.GetAdapterCount() == 0)
        return {ExitCode::NotFound, {{"No network connection is selected.", mb::kIconError}}};

    m_starting.clear();
    m_pFound = nullptr;
    m_services.BeginOperation("Finding Appropriate Configuration..",
                              static_cast<int>(m_services.configs.GetCount()) - 1);
    const bool bFound = FindWorkingSetting();
    const std::vector<std::string> notRestored = bFound ? std::vector<std::string>{} : RestoreStartingSettings();
    m_services.progress.Close();
    if (bFound)
        return {ExitCode::Done, {}, m_pFound, true};
    Outcome outcome{
        ExitCode::DidNotWork, {{"Can't find any appropriate Configuration.", mb::kIconError}}, nullptr, true};
    for (const std::string& text : notRestored)
        outcome.messages.push_back({text, mb::kIconError});
    return outcome;
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
    for (const CONFIGURATION& config : m_services.configs) {
        const std::optional<unsigned> nConnection = Announce(config, k);
        if (nConnection && config.bDhcpAddress != 0) {
            // Its position is shown again by the next configuration.
            deferred.push_back(&config);
            continue;
        }
        ++k;
        if (nConnection && ApplyAddress(SettingsOf(config), *nConnection) && TestAndSetDns(config, *nConnection))
            return true;
    }

    // A stored wait beyond the bound would hide the program for as long.
    const std::uint32_t dwWait =
        std::clamp(m_services.configs.GetPreferences().nDhcpWait, kMinimumDhcpWait, kMaximumDhcpWait);
    for (const CONFIGURATION* pConfig : deferred) {
        // Present when it was put off.
        const unsigned nConnection = Announce(*pConfig, k++).value_or(0);
        if (!ApplyAddress(SettingsOf(*pConfig), nConnection))
            continue;
        progress.SetText("Waiting for obtaining IP address from DHCP Server..");
        // No pumping: the progress display paints on its own thread.
        m_services.clock.Sleep(dwWait);
        if (TestAndSetDns(*pConfig, nConnection))
            return true;
    }
    return false;
}

std::optional<unsigned> CAutoConfiguration::Announce(const CONFIGURATION& config, std::size_t nPos)
{
    m_services.progress.SetPos(static_cast<int>(nPos));
    const std::optional<unsigned> nConnection =
        ConnectionNamed(m_services.connections, FieldText(config.szConnection, kConnectionSize));
    if (!nConnection) {
        // Made for an adapter this machine lacks: applying it to another one
        // would rewrite a connection it was never meant for.
        std::string text = NamedText("Skipping Configuration '", config, "': no connection named '");
        text += FieldText(config.szConnection, kConnectionSize);
        text += "' on this computer..";
        m_services.progress.SetText(text.c_str());
        return std::nullopt;
    }
    m_services.progress.SetText(NamedText("Applying Configuration '", config).c_str());
    return nConnection;
}

bool CAutoConfiguration::ApplyAddress(const ConnectionSettings& settings, unsigned nConnection)
{
    IConnections& connections = m_services.connections;
    const bool bFirstChange = std::none_of(m_starting.begin(), m_starting.end(),
                                           [&](const auto& starting) { return starting.first == nConnection; });
    if (bFirstChange)
        m_starting.emplace_back(nConnection, connections.GetSettingsInForce(nConnection));
    const NetshRuns runs = connections.SetAddress(nConnection, settings);
    // Probing settings that did not take would test the old ones again, and
    // credit their answer to this configuration; an address Windows is still
    // checking is not used yet, and one another computer has never.
    return !AnyTimedOut(runs) && AddressTook(settings, connections.GetSettingsInForce(nConnection)) &&
           m_services.AddressesUsedElsewhere(nConnection, settings).empty();
}

std::vector<std::string> CAutoConfiguration::RestoreStartingSettings()
{
    std::vector<std::string> notRestored;
    IConnections& connections = m_services.connections;
    bool bAnnounced = false;
    for (const auto& [nConnection, starting] : m_starting) {
        if (connections.GetSettingsInForce(nConnection) == starting)
            continue;
        if (!bAnnounced)
            m_services.progress.SetText("Restoring the previous settings..");
        bAnnounced = true;
        // Every address and gateway, but not the DNS servers: those are set
        // only once an address answers.
        const NetshRuns runs = connections.SetAddress(nConnection, starting);
        const std::vector<std::string> lines = AddressNotTaken(starting, connections.GetSettingsInForce(nConnection));
        if (!lines.empty())
            notRestored.push_back(NotTakenText(std::string("The previous settings of \"") +
                                                   connections.GetConnectionName(nConnection) +
                                                   "\" could not be put back:",
                                               lines, runs));
    }
    return notRestored;
}

bool CAutoConfiguration::TestAndSetDns(const CONFIGURATION& config, unsigned nConnection)
{
    m_services.progress.SetText(NamedText("Ping testing for Configuration '", config).c_str());
    if (!TestAddressAnswers())
        return false;
    m_pFound = &config;
    m_services.progress.SetText("Setting DNS Servers..");
    m_services.SetDns(nConnection, SettingsOf(config));
    return true;
}

bool CAutoConfiguration::TestAddressAnswers()
{
    const Ipv4Addr host = Ipv4Addr::FromControlOrder(m_services.configs.GetPreferences().dwTestAddress);
    return m_services.probe.Ping(host) != 0;
}
