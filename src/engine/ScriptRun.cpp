#include "engine/ScriptRun.h"

#include "config/AtomicFile.h"
#include "config/ConfigText.h"
#include "engine/FileMessages.h"
#include "platform/MessageBox.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace {

// A file that keeps changing under the import is left to its writer.
constexpr int kImportTries = 3;

} // namespace

CScriptRun::CScriptRun(IFileSystem& files, const ICodePage& codePage, IClock& clock)
    : m_files(files), m_codePage(codePage), m_clock(clock), m_configList(std::make_unique<CConfigList>(files, codePage))
{
}

Outcome CScriptRun::Run(const Command& command, const ApplyNamed& apply)
{
    const std::string folder = m_files.ExecutableDirectory();
    const LoadResult loaded = m_configList->Load(m_clock);
    if (loaded == LoadResult::Unopenable) {
        // Its configurations are unknown: none can be applied, exported or
        // imported into it.
        return {
            ExitCode::DidNotWork,
            {{UnreadableFileText(folder) + "\nNothing was done, and the file is left as it is.", mb::kIconWarning}}};
    }
    Outcome outcome{ExitCode::BadInput, {}};
    switch (command.action) {
    case CommandAction::Apply:
        outcome = apply(*m_configList, command.operand);
        break;
    case CommandAction::Export:
        outcome = Export(command.operand);
        break;
    case CommandAction::Import:
        outcome = Import(command.operand);
        break;
    default:
        break;
    }
    // A run that did not work leaves no file where there was none: an
    // installer that fails on a bad import leaves nothing behind.
    if (loaded == LoadResult::Missing && outcome.code != ExitCode::Done)
        return outcome;
    const bool bImported = command.action == CommandAction::Import && outcome.code == ExitCode::Done;
    SaveResult saved = m_configList->Save();
    // Another program wrote the file since it was read, a second import
    // perhaps: this one goes into what it wrote, read again just before.
    for (int nTry = 1; bImported && saved == SaveResult::ChangedOnDisk && nTry < kImportTries; ++nTry) {
        m_configList = std::make_unique<CConfigList>(m_files, m_codePage);
        if (m_configList->Load(m_clock) == LoadResult::Unopenable || Import(command.operand).code != ExitCode::Done)
            break;
        saved = m_configList->Save();
    }
    // An import that is not kept did not happen.
    if (saved == SaveResult::Failed || (bImported && saved != SaveResult::Written && saved != SaveResult::Unchanged)) {
        outcome.messages.push_back({FailedSaveText(folder), mb::kIconError});
        if (bImported)
            outcome.code = ExitCode::DidNotWork;
        return outcome;
    }
    if (bImported)
        outcome.messages.push_back({"The configurations and preferences of " + command.operand +
                                        " were imported into " + folder + CConfigList::kFileName + ".",
                                    mb::kIconInformation});
    return outcome;
}

Outcome CScriptRun::Export(const std::string& path)
{
    std::string text;
    if (const std::optional<ConfigTextError> error = WriteConfigText(*m_configList, text))
        return {ExitCode::DidNotWork, {{"Nothing was exported to " + path + ": " + error->what + ".", mb::kIconError}}};
    const auto* pBytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (!WriteFileAtomically(m_files, path, std::span(pBytes, text.size())))
        return {ExitCode::BadInput, {{"Tolvi could not write the file " + path + ".", mb::kIconError}}};
    return {ExitCode::Done,
            {{"The preferences and " + std::to_string(m_configList->GetCount()) + " configurations were written to " +
                  path + ".",
              mb::kIconInformation}}};
}

Outcome CScriptRun::Import(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    const FileReadResult read = m_files.Read(path, bytes);
    if (read != FileReadResult::Read && read != FileReadResult::ReadOnly)
        return {ExitCode::BadInput, {{"Tolvi could not read the file " + path + ".", mb::kIconError}}};
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (const std::optional<ConfigTextError> error = ReadConfigText(text, *m_configList))
        return {ExitCode::BadInput,
                {{"Nothing was imported. " + path + ", line " + std::to_string(error->nLine) + ": " + error->what + ".",
                  mb::kIconError}}};
    return {};
}
