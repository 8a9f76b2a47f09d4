#include "ui/StartupActions.h"

#include "config/Ascii.h"
#include "config/AtomicFile.h"
#include "config/ConfigList.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/ProgramLocation.h"
#include "platform/StartupRegistration.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr char kProgramName[] = "Tolvi.exe";

// The switch the task starts the program with, and what the user is told.
struct Registration {
    const char* pszArguments;
    const char* pszRegistered;
};

Registration RegistrationOf(StartupMode mode)
{
    switch (mode) {
    case StartupMode::Automatic:
        return {"/auto", "Tolvi(Automatic Configuration mode) was registered in startup program successfully."};
    case StartupMode::Tray:
        return {"/tray", "Tolvi(Tray mode) was registered in startup program successfully."};
    case StartupMode::Normal:
        break;
    }
    return {"", "Tolvi(Standard UI mode) was registered in startup program successfully."};
}

ExitCode Tell(IMessageBox& messages, const std::string& text, unsigned icon, ExitCode code)
{
    messages.Show(text.c_str(), mb::kOk | icon);
    return code;
}

// A task registered from a service's account would start for that account
// at log-on, never for a user.
bool RefusedForServiceAccount(const StartupServices& services)
{
    if (!services.startup.StartsElevated() || services.startup.RunsForAUser())
        return false;
    Tell(services.messages,
         "Tolvi runs as a service's account here (SYSTEM, LocalService or NetworkService), and a task registered "
         "from it would never start for a user. Nothing was registered: register Tolvi from the user's own session.",
         mb::kIconError, ExitCode::DidNotWork);
    return true;
}

ExitCode RegisterProgram(const StartupServices& services, const std::string& programPath, StartupMode mode,
                         const std::string& preface)
{
    const Registration registration = RegistrationOf(mode);
    if (!services.startup.Register(programPath, registration.pszArguments))
        return Tell(services.messages, "Registration Failed.", mb::kIconError, ExitCode::DidNotWork);
    return Tell(services.messages, preface + registration.pszRegistered, mb::kIconInformation, ExitCode::Done);
}

std::string FolderOf(const std::string& path)
{
    return path.substr(0, path.find_last_of('\\') + 1);
}

bool CopyFile(IFileSystem& files, const std::string& from, const std::string& to)
{
    std::vector<std::uint8_t> bytes;
    const FileReadResult read = files.Read(from, bytes);
    // Written anew, the copy takes the entries of the folder it lands in.
    return (read == FileReadResult::Read || read == FileReadResult::ReadOnly) && WriteFileAtomically(files, to, bytes);
}

enum class ConfigurationCopy { Copied, Kept, None, Failed };

// Tolvi.cfg goes along unless the destination has its own.
ConfigurationCopy BringConfiguration(IFileSystem& files, const std::string& folder)
{
    const std::string from = files.ExecutableDirectory() + CConfigList::kFileName;
    const std::string to = folder + CConfigList::kFileName;
    std::vector<std::uint8_t> bytes;
    if (EqualsIgnoringCase(from, to))
        return ConfigurationCopy::None;
    if (files.Read(to, bytes) != FileReadResult::Missing)
        return ConfigurationCopy::Kept;
    if (files.Read(from, bytes) == FileReadResult::Missing)
        return ConfigurationCopy::None;
    return CopyFile(files, from, to) ? ConfigurationCopy::Copied : ConfigurationCopy::Failed;
}

} // namespace

ExitCode RegisterAtLogOn(const StartupServices& services, StartupMode mode)
{
    if (RefusedForServiceAccount(services))
        return ExitCode::DidNotWork;
    const std::string program = services.files.ProgramPath();
    // What starts without elevation gives nobody administrator rights.
    const std::optional<std::string> fault = services.startup.StartsElevated()
                                                 ? FindLocationFault(services.security, program, CConfigList::kFileName)
                                                 : std::nullopt;
    if (!fault)
        return RegisterProgram(services, program, mode, {});
    const std::string programFiles = services.files.ProgramFilesDirectory();
    std::string text = "Tolvi was not registered. " + *fault +
                       ".\n\nTolvi starts at log-on with administrator rights, so whatever can change it there "
                       "could take those rights without a prompt.";
    if (programFiles.empty())
        return Tell(services.messages, text, mb::kIconError, ExitCode::DidNotWork);
    text += "\n\nInstall Tolvi for all users in " + programFiles + "Tolvi now?";
    if (services.messages.Show(text.c_str(), mb::kYesNo | mb::kIconError) != mb::kIdYes)
        return ExitCode::DidNotWork;
    return InstallForAllUsers(services, mode);
}

ExitCode UnregisterAtLogOn(IStartupRegistration& startup, IMessageBox& messages)
{
    switch (startup.Unregister()) {
    case UnregisterResult::Done:
        return Tell(messages, "Tolvi was unregistered in startup program successfully.", mb::kIconInformation,
                    ExitCode::Done);
    case UnregisterResult::NotRegistered:
        return Tell(messages, "Tolvi was never registered in startup program.", mb::kIconError, ExitCode::Done);
    case UnregisterResult::Failed:
        break;
    }
    return Tell(messages, "Unregistration Failed.", mb::kIconError, ExitCode::DidNotWork);
}

ExitCode InstallForAllUsers(const StartupServices& services, StartupMode mode)
{
    if (RefusedForServiceAccount(services))
        return ExitCode::DidNotWork;
    IFileSystem& files = services.files;
    const std::string programFiles = files.ProgramFilesDirectory();
    const std::string folder = programFiles + "Tolvi";
    const std::string program = files.ProgramPath();
    const std::string target = folder + "\\" + kProgramName;
    if (programFiles.empty() || !files.CreateFolder(folder))
        return Tell(services.messages, "Tolvi could not make the folder " + folder + ".", mb::kIconError,
                    ExitCode::DidNotWork);
    if (!EqualsIgnoringCase(program, target) && !CopyFile(files, program, target))
        return Tell(services.messages, "Tolvi could not be copied to " + target + ".", mb::kIconError,
                    ExitCode::DidNotWork);
    const ConfigurationCopy configuration = BringConfiguration(files, folder + "\\");
    if (configuration == ConfigurationCopy::Failed)
        return Tell(services.messages,
                    "Tolvi could not copy " + files.ExecutableDirectory() + CConfigList::kFileName + " to " + folder +
                        ". Nothing was registered.",
                    mb::kIconError, ExitCode::DidNotWork);
    if (const std::optional<std::string> fault = FindLocationFault(services.security, target, CConfigList::kFileName))
        return Tell(services.messages, "Tolvi was copied to " + folder + " but not registered. " + *fault + ".",
                    mb::kIconError, ExitCode::DidNotWork);
    std::string preface = "Tolvi is now installed for all users in " + folder + ".";
    if (configuration == ConfigurationCopy::Kept)
        preface += std::string(" The ") + CConfigList::kFileName + " that was already there was kept.";
    if (!EqualsIgnoringCase(program, target))
        preface += " The copy in " + FolderOf(program) + " may be deleted.";
    return RegisterProgram(services, target, mode, preface + "\n\n");
}
