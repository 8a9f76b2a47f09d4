#include "engine/CommandLine.h"

#include "config/Ascii.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>

// Lines short enough for a message box, which Wine does not widen for a
// long line, with room for one more switch.
const char kCommandLineUsage[] = "  Tolvi.exe /auto\n"
                                 "    -> Automatic Configuration and Exit program.\n"
                                 "  Tolvi.exe\n"
                                 "    -> Normal mode.\n"
                                 "  Tolvi.exe /tray\n"
                                 "    -> Stay in the notification area and switch\n"
                                 "       by itself when the network changes.\n"
                                 "  Tolvi.exe /apply NAME\n"
                                 "    -> Apply the configuration NAME and exit.\n"
                                 "  Tolvi.exe /export FILE\n"
                                 "    -> Write preferences and configurations\n"
                                 "       to a text file.\n"
                                 "  Tolvi.exe /import FILE\n"
                                 "    -> Add or replace configurations and take\n"
                                 "       preferences from such a file.\n"
                                 "  Tolvi.exe /register, /register-auto,\n"
                                 "                /register-tray or /unregister\n"
                                 "    -> Start at log-on in normal, automatic\n"
                                 "       or tray mode, or no longer.\n"
                                 "  Tolvi.exe /install [normal|auto|tray]\n"
                                 "    -> Copy Tolvi to Program Files and start\n"
                                 "       it from there at log-on.\n"
                                 "  Tolvi.exe /?\n"
                                 "    -> Show this text.\n"
                                 "  Add /quiet for no message boxes.\n"
                                 "  Exit codes: 0 done, 1 did not work, 2 no such\n"
                                 "    configuration or connection, 3 bad command\n"
                                 "    line or file.\n";

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

struct SwitchInfo {
    const char* pszName;
    CommandAction action;
    const char* pszOperandMissing; // nullptr: takes no operand
};

// /install's mode may be left out, but not given empty.
constexpr char kOptionalOperand[] = "";
constexpr char kInstallModes[] = "/install takes normal, auto or tray as the mode to start in.";

constexpr std::array<SwitchInfo, 11> kSwitches{{
    {"/apply", CommandAction::Apply, "/apply needs the name of a configuration."},
    {"/export", CommandAction::Export, "/export needs the name of the file to write."},
    {"/import", CommandAction::Import, "/import needs the name of the file to read."},
    {"/register", CommandAction::Register, nullptr},
    {"/register-auto", CommandAction::RegisterAuto, nullptr},
    {"/register-tray", CommandAction::RegisterTray, nullptr},
    {"/unregister", CommandAction::Unregister, nullptr},
    {"/install", CommandAction::Install, kOptionalOperand},
    {"/auto", CommandAction::Auto, nullptr},
    {"/tray", CommandAction::Tray, nullptr},
    {"/service", CommandAction::Service, nullptr},
}};
constexpr std::array<const char*, 4> kHelpSwitches{"/?", "/help", "-h", "--help"};
constexpr char kQuiet[] = "/quiet";
constexpr char kAuto[] = "/auto";

const SwitchInfo* FindSwitch(std::string_view argument)
{
    const std::string lowered = AsciiLowered(argument);
    const auto it = std::find_if(kSwitches.begin(), kSwitches.end(),
                                 [&](const SwitchInfo& info) { return lowered == info.pszName; });
    return it == kSwitches.end() ? nullptr : &*it;
}

bool IsKnownSwitch(std::string_view argument)
{
    return FindSwitch(argument) || AsciiLowered(argument) == kQuiet;
}

// The program path: no escapes, a quote only opens or closes.
std::size_t ProgramPathEnd(std::string_view text, std::string* pProgram)
{
    bool bQuoted = false;
    std::size_t k = 0;
    for (; k < text.size() && (bQuoted || !IsBlank(text[k])); ++k) {
        if (text[k] == '"')
            bQuoted = !bQuoted;
        else if (pProgram)
            *pProgram += text[k];
    }
    return k;
}

} // namespace

std::string_view ArgumentsText(std::string_view commandLine)
{
    std::size_t k = ProgramPathEnd(commandLine, nullptr);
    while (k < commandLine.size() && IsBlank(commandLine[k]))
        ++k;
    return commandLine.substr(k);
}

std::vector<std::string> SplitCommandLine(std::string_view text)
{
    std::vector<std::string> arguments;
    std::string program;
    std::size_t k = ProgramPathEnd(text, &program);
    bool bQuoted = false;
    arguments.push_back(std::move(program));

    while (true) {
        while (k < text.size() && IsBlank(text[k]))
            ++k;
        if (k >= text.size())
            break;
        std::string argument;
        bQuoted = false;
        while (k < text.size() && (bQuoted || !IsBlank(text[k]))) {
            std::size_t nBackslashes = 0;
            while (k < text.size() && text[k] == '\\') {
                ++nBackslashes;
                ++k;
            }
            if (k < text.size() && text[k] == '"') {
                argument.append(nBackslashes / 2, '\\');
                if (nBackslashes % 2 == 1)
                    argument += '"';
                else if (bQuoted && k + 1 < text.size() && text[k + 1] == '"')
                    argument += text[++k];
                else
                    bQuoted = !bQuoted;
                ++k;
            } else {
                argument.append(nBackslashes, '\\');
                if (k < text.size() && (bQuoted || !IsBlank(text[k])))
                    argument += text[k++];
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

Command ParseCommandLine(std::string_view commandLine)
{
    const std::vector<std::string> arguments = SplitCommandLine(commandLine);
    Command command;
    const auto isHelp = [](const std::string& argument) {
        return std::find(kHelpSwitches.begin(), kHelpSwitches.end(), AsciiLowered(argument)) != kHelpSwitches.end();
    };
    if (std::any_of(arguments.begin() + 1, arguments.end(), isHelp)) {
        command.action = CommandAction::Help;
        command.bQuiet = std::any_of(arguments.begin() + 1, arguments.end(),
                                     [](const std::string& argument) { return AsciiLowered(argument) == kQuiet; });
        return command;
    }
    std::optional<CommandAction> action;
    std::string unknown;
    bool bAutoInText = arguments[0].find(kAuto) != std::string::npos;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (AsciiLowered(argument) == kQuiet) {
            command.bQuiet = true;
            continue;
        }
        const SwitchInfo* pSwitch = FindSwitch(argument);
        // Only small letters ever asked for automatic configuration; other
        // spellings started the program as usual.
        if (pSwitch && pSwitch->action == CommandAction::Auto && argument != kAuto)
            continue;
        if (!pSwitch) {
            bAutoInText = bAutoInText || argument.find(kAuto) != std::string::npos;
            if (argument.starts_with('/') && unknown.empty())
                unknown = argument;
            continue;
        }
        if (action && command.error.empty())
            command.error = "Give only one of /auto, /tray, /apply, /export, /import, /register, /register-auto, "
                            "/register-tray, /unregister and /install.";
        action = pSwitch->action;
        if (!pSwitch->pszOperandMissing)
            continue;
        // A switch where the operand belongs means the operand was left out;
        // an empty one ("") names nothing either.
        const bool bGiven = i + 1 < arguments.size() && !IsKnownSwitch(arguments[i + 1]);
        if (bGiven)
            command.operand = arguments[++i];
        if (command.error.empty() && (bGiven ? command.operand.empty() : *pSwitch->pszOperandMissing != '\0'))
            command.error = *pSwitch->pszOperandMissing ? pSwitch->pszOperandMissing : kInstallModes;
    }
    if (command.error.empty() && action == CommandAction::Install) {
        command.operand = AsciiLowered(command.operand);
        if (command.operand != "" && command.operand != "normal" && command.operand != "auto" &&
            command.operand != "tray")
            command.error = kInstallModes;
    }

    if (!action && bAutoInText) {
        // Anything else on such a command line was never looked at.
        command.action = CommandAction::Auto;
        return command;
    }
    if (command.error.empty() && !unknown.empty())
        command.error = "Unknown switch " + unknown + ".";
    if (command.error.empty() && !action && command.bQuiet)
        command.error = "/quiet goes with another switch: the main dialog cannot run without message boxes.";
    command.action = action.value_or(CommandAction::Normal);
    return command;
}
