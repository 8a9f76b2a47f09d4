#include "engine/ApplyConfiguration.h"

#include "config/Ascii.h"
#include "config/FieldText.h"
#include "engine/ReadBack.h"
#include "platform/MessageBox.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

Outcome CApplyConfiguration::Run(const ApplyInputs& inputs)
{
    // An empty connection box gives no index, a stale one may point past the
    // adapters found, and an adapter without a connection name cannot be
    // named to netsh: none of them is a connection to apply to, and showing
    // "Done." for them would claim what never happened.
    IConnections& connections = m_services.connections;
    if (inputs.nConnection < 0 || static_cast<unsigned>(inputs.nConnection) >= connections.GetAdapterCount() ||
        !connections.GetConnectionName(static_cast<unsigned>(inputs.nConnection))) {
        return {ExitCode::NotFound, {{"No network connection is selected.", mb::kIconError}}};
    }
    const unsigned nConnection = static_cast<unsigned>(inputs.nConnection);
    const ConnectionSettings& asked = inputs.settings;

    IProgress& progress = m_services.progress;
    m_services.BeginOperation("Applying Network Configuration..", 2);

    // The DNS step runs whatever the address step did, unless netsh hung:
    // only the read-back below tells what took.
    progress.SetText("Setting IP Address, Subnet Mask and Default Gateway...");
    NetshRuns runs = connections.SetAddress(nConnection, asked);
    const bool bHung = AnyTimedOut(runs);
    const std::vector<std::size_t> usedElsewhere =
        bHung ? std::vector<std::size_t>{} : m_services.AddressesUsedElsewhere(nConnection, asked);
    progress.SetPos(1);

    if (!bHung) {
        progress.SetText("Setting DNS Servers...");
        const NetshRuns dnsRuns = m_services.SetDns(nConnection, asked);
        runs.insert(runs.end(), dnsRuns.begin(), dnsRuns.end());
    }
    progress.SetPos(2);

    std::vector<std::string> notTaken;
    for (const std::size_t k : usedElsewhere)
        notTaken.push_back(UsedElsewhereLine(asked, k));
    const std::vector<std::string> readBack = WhatDidNotTake(asked, connections.GetSettingsInForce(nConnection));
    notTaken.insert(notTaken.end(), readBack.begin(), readBack.end());
    // A netsh that had to be ended did not finish its work, whatever reads back.
    if (!notTaken.empty() || AnyTimedOut(runs)) {
        progress.Close();
        const std::string heading =
            std::string("The settings of \"") + connections.GetConnectionName(nConnection) + "\" did not take:";
        return {ExitCode::DidNotWork, {{NotTakenText(heading, notTaken, runs), mb::kIconError}}, nullptr, true};
    }
    progress.SetText("Done.");
    progress.Close();
    return {ExitCode::Done, {}, nullptr, true};
}

namespace {

// Names are compared byte by byte everywhere else; this only finds what the
// user may have meant.
const CONFIGURATION* FindIgnoringCase(const CConfigList& configs, std::string_view name)
{
    for (const CONFIGURATION& config : configs) {
        const std::string_view saved = FieldText(config.szName, kNameSize);
        if (EqualsIgnoringCase(saved, name))
            return &config;
    }
    return nullptr;
}

} // namespace

std::string AppliedText(const CONFIGURATION& config)
{
    return "Configuration '" + std::string(FieldText(config.szName, kNameSize)) + "' was applied to \"" +
           std::string(FieldText(config.szConnection, kConnectionSize)) + "\".";
}

Outcome ApplyNamedConfiguration(const EngineServices& services, const std::string& name)
{
    // A longer name would be cut to the field and find another one.
    const CONFIGURATION* pConfig = name.size() < kNameSize ? services.configs.Find(name.c_str()) : nullptr;
    if (!pConfig) {
        std::string text = "There is no configuration named '" + name + "'.";
        if (const CONFIGURATION* pOther = FindIgnoringCase(services.configs, name))
            text += "\nThe saved one is named '" + std::string(FieldText(pOther->szName, kNameSize)) +
                    "': names are given in their own letter case.";
        return {ExitCode::NotFound, {{text, mb::kIconError}}};
    }
    const std::string_view connection = FieldText(pConfig->szConnection, kConnectionSize);
    const std::optional<unsigned> nConnection = ConnectionNamed(services.connections, connection);
    if (!nConnection)
        return {ExitCode::NotFound,
                {{"The configuration '" + name + "' is for the connection '" + std::string(connection) +
                      "', which this computer does not have.",
                  mb::kIconError}}};
    Outcome outcome = CApplyConfiguration(services).Run({static_cast<int>(*nConnection), SettingsOf(*pConfig)});
    outcome.pFound = pConfig;
    return outcome;
}
