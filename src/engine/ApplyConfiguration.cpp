#include "engine/ApplyConfiguration.h"

#include "engine/ReadBack.h"
#include "platform/MessageBox.h"

#include <string>
#include <vector>

ExitCode CApplyConfiguration::Run(const ApplyInputs& inputs)
{
    // An empty connection box gives no index, a stale one may point past the
    // adapters found, and an adapter without a connection name cannot be
    // named to netsh: none of them is a connection to apply to, and showing
    // "Done." for them would claim what never happened.
    IConnections& connections = m_services.connections;
    if (inputs.nConnection < 0 || static_cast<unsigned>(inputs.nConnection) >= connections.GetAdapterCount() ||
        !connections.GetConnectionName(static_cast<unsigned>(inputs.nConnection))) {
        m_services.messages.Show("No network connection is selected.", mb::kOk | mb::kIconError);
        return ExitCode::NotFound;
    }
    const unsigned nConnection = static_cast<unsigned>(inputs.nConnection);
    const ConnectionSettings& asked = inputs.settings;

    IProgress& progress = m_services.progress;
    m_services.BeginOperation("Applying Network Configuration..", 2);

    // The DNS step runs whatever the address step did: only the read-back
    // below tells what took.
    progress.SetText("Setting IP Address, Subnet Mask and Default Gateway...");
    NetshRuns runs = m_services.SetAddress(nConnection, asked);
    progress.SetPos(1);

    progress.SetText("Setting DNS Servers...");
    const NetshRuns dnsRuns = m_services.SetDns(nConnection, asked);
    runs.insert(runs.end(), dnsRuns.begin(), dnsRuns.end());
    progress.SetPos(2);

    const std::vector<std::string> notTaken = WhatDidNotTake(asked, connections.GetSettingsInForce(nConnection));
    if (!notTaken.empty()) {
        m_services.EndOperation();
        const std::string heading =
            std::string("The settings of \"") + connections.GetConnectionName(nConnection) + "\" did not take:";
        m_services.messages.Show(NotTakenText(heading, notTaken, runs).c_str(), mb::kOk | mb::kIconError);
        return ExitCode::DidNotWork;
    }
    progress.SetText("Done.");
    m_services.EndOperation();
    if (m_services.configs.GetPreferences().bExitAfterApply != 0)
        m_services.window.EndAsOk();
    return ExitCode::Done;
}
