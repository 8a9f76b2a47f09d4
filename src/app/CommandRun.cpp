#include "app/CommandRun.h"

#include "engine/ApplyConfiguration.h"
#include "engine/ScriptRun.h"
#include "platform/MessageBox.h"
#include "ui/ApplyDlgProgress.h"
#include "ui/EngineParts.h"
#include "ui/StartupActions.h"

CCommandRun::CCommandRun(const TolviSystem& system) : m_system(system) {}

ExitCode CCommandRun::Run(const Command& command)
{
    if (!command.error.empty()) {
        Message("The command line was not understood: " + command.error + "\n\nUsage:\n" + kCommandLineUsage,
                mb::kOk | mb::kIconError);
        return ExitCode::BadInput;
    }
    switch (command.action) {
    case CommandAction::Register:
        return RegisterAtLogOn(m_system.Startup(), StartupMode::Normal);
    case CommandAction::RegisterAuto:
        return RegisterAtLogOn(m_system.Startup(), StartupMode::Automatic);
    case CommandAction::RegisterTray:
        return RegisterAtLogOn(m_system.Startup(), StartupMode::Tray);
    case CommandAction::Install:
        return InstallForAllUsers(m_system.Startup(), command.operand == "auto"   ? StartupMode::Automatic
                                                      : command.operand == "tray" ? StartupMode::Tray
                                                                                  : StartupMode::Normal);
    case CommandAction::Unregister:
        return UnregisterAtLogOn(m_system.startup, m_system.messages);
    case CommandAction::Help:
        Message(std::string("Usage:\n") + kCommandLineUsage, mb::kOk | mb::kIconInformation);
        return ExitCode::Done;
    default:
        return RunOnConfigurations(command);
    }
}

ExitCode CCommandRun::RunOnConfigurations(const Command& command)
{
    CScriptRun run(m_system.files, m_system.codePage, m_system.clock);
    const Outcome outcome =
        run.Run(command, [this](CConfigList& configs, const std::string& name) { return Apply(configs, name); });
    for (const OutcomeMessage& message : outcome.messages)
        Message(message.text, mb::kOk | message.icon);
    return outcome.code;
}

Outcome CCommandRun::Apply(CConfigList& configs, const std::string& name)
{
    CApplyDlgProgress progress;
    Outcome outcome = m_system.pService ? m_system.pService->Apply(name, progress) : ApplyHere(configs, name, progress);
    // As the other switches do, a script's user sees that it worked.
    if (outcome.code == ExitCode::Done && outcome.messages.empty() && outcome.pFound)
        outcome.messages.push_back({AppliedText(*outcome.pFound), mb::kIconInformation});
    return outcome;
}

Outcome CCommandRun::ApplyHere(CConfigList& configs, const std::string& name, IProgress& progress)
{
    // Only an apply reads the adapters.
    CEngineParts engine(m_system);
    Outcome outcome = ApplyNamedConfiguration(engine.Services(configs, progress), name);
    if (engine.connections.AdaptersUnreadable())
        outcome.messages.insert(outcome.messages.begin(),
                                {"Cannot get informations of network adapters.", mb::kIconError});
    return outcome;
}

void CCommandRun::Message(const std::string& text, unsigned flags)
{
    m_system.messages.Show(text.c_str(), flags);
}
