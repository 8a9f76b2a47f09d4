#include "ui/CommandRun.h"

#include "config/AtomicFile.h"
#include "config/ConfigText.h"
#include "engine/ApplyConfiguration.h"
#include "platform/MessageBox.h"
#include "ui/ApplyDlgProgress.h"
#include "ui/EngineParts.h"
#include "ui/FileMessages.h"
#include "ui/StartupActions.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

CCommandRun::CCommandRun(const TolviSystem& system) : m_system(system), m_configList(m_system.files) {}

ExitCode CCommandRun::Run(const Command& command)
{
    if (!command.error.empty()) {
        Message("The command line was not understood: " + command.error + "\n\nUsage:\n" + kCommandLineUsage,
                mb::kOk | mb::kIconError);
        return ExitCode::BadInput;
    }
    switch (command.action) {
    case CommandAction::Register:
        return RegisterAtLogOn(m_system.startup, m_system.messages, StartupMode::Normal);
    case CommandAction::RegisterAuto:
        return RegisterAtLogOn(m_system.startup, m_system.messages, StartupMode::Automatic);
    case CommandAction::RegisterTray:
        return RegisterAtLogOn(m_system.startup, m_system.messages, StartupMode::Tray);
    case CommandAction::Unregister:
        return UnregisterAtLogOn(m_system.startup, m_system.messages);
    default:
        return RunOnConfigurations(command);
    }
}

ExitCode CCommandRun::RunOnConfigurations(const Command& command)
{
    const std::string folder = m_system.files.ExecutableDirectory();
    if (m_configList.Load(m_system.clock) == LoadResult::Unopenable) {
        // Its configurations are unknown: none can be applied, exported or
        // imported into it.
        Message(UnreadableFileText(folder) + "\nNothing was done, and the file is left as it is.",
                mb::kOk | mb::kIconWarning);
        return ExitCode::DidNotWork;
    }
    ExitCode code = ExitCode::BadInput;
    switch (command.action) {
    case CommandAction::Apply:
        code = Apply(command.operand);
        break;
    case CommandAction::Export:
        code = Export(command.operand);
        break;
    case CommandAction::Import:
        code = Import(command.operand);
        break;
    default:
        break;
    }
    const bool bImported = command.action == CommandAction::Import && code == ExitCode::Done;
    if (m_configList.Save() == SaveResult::Failed) {
        Message(FailedSaveText(folder), mb::kOk | mb::kIconError);
        // An import that is not kept did not happen.
        return bImported ? ExitCode::DidNotWork : code;
    }
    if (bImported)
        Message("The configurations and preferences of " + command.operand + " were imported into " + folder +
                    CConfigList::kFileName + ".",
                mb::kOk | mb::kIconInformation);
    return code;
}

ExitCode CCommandRun::Apply(const std::string& name)
{
    // Only an apply reads the adapters.
    CEngineParts engine(m_system);
    if (engine.connections.AdaptersUnreadable())
        Message("Cannot get informations of network adapters.", mb::kIconError);
    CApplyDlgProgress progress;
    const Outcome outcome = ApplyNamedConfiguration(engine.Services(m_configList, progress), name);
    for (const OutcomeMessage& message : outcome.messages)
        Message(message.text, mb::kOk | message.icon);
    return outcome.code;
}

ExitCode CCommandRun::Export(const std::string& path)
{
    std::string text;
    if (const std::optional<ConfigTextError> error = WriteConfigText(m_configList, m_system.codePage, text)) {
        Message("Nothing was exported to " + path + ": " + InCodePage(error->what) + ".", mb::kOk | mb::kIconError);
        return ExitCode::DidNotWork;
    }
    const auto* pBytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (!WriteFileAtomically(m_system.files, path, std::span(pBytes, text.size()))) {
        Message("Tolvi could not write the file " + path + ".", mb::kOk | mb::kIconError);
        return ExitCode::BadInput;
    }
    Message("The preferences and " + std::to_string(m_configList.GetCount()) + " configurations were written to " +
                path + ".",
            mb::kOk | mb::kIconInformation);
    return ExitCode::Done;
}

ExitCode CCommandRun::Import(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    const FileReadResult read = m_system.files.Read(path, bytes);
    if (read != FileReadResult::Read && read != FileReadResult::ReadOnly) {
        Message("Tolvi could not read the file " + path + ".", mb::kOk | mb::kIconError);
        return ExitCode::BadInput;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (const std::optional<ConfigTextError> error = ReadConfigText(text, m_system.codePage, m_configList)) {
        Message("Nothing was imported. " + path + ", line " + std::to_string(error->nLine) + ": " +
                    InCodePage(error->what) + ".",
                mb::kOk | mb::kIconError);
        return ExitCode::BadInput;
    }
    return ExitCode::Done;
}

std::string CCommandRun::InCodePage(const std::string& utf8) const
{
    // A character the code page lacks stays as it is, garbled but not lost.
    return m_system.codePage.FromUtf8(utf8).value_or(utf8);
}

void CCommandRun::Message(const std::string& text, unsigned flags)
{
    m_system.messages.Show(text.c_str(), flags);
}
