#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class CommandAction {
    Normal, // the main dialog, for the user
    Auto,
    Tray, // an icon in the notification area
    Apply,
    Export,
    Import,
    Register,
    RegisterAuto,
    RegisterTray,
    Unregister,
    Install, // into Program Files, registered in the mode of the operand
    Help,    // the usage, in a box
    Service, // the service "Tolvi", started by the service manager
};

// What the command line asks for.
struct Command {
    CommandAction action = CommandAction::Normal;
    std::string operand; // the configuration's name, the file, or the mode of /install
    bool bQuiet = false;
    // Set when the command line cannot be understood: says why.
    std::string error;
};

// The arguments as the C runtime splits a Windows command line: the program
// path first, taken whole up to its closing quote or first blank; then
// quotes group words, "" inside quotes is one quote, and backslashes escape
// a quote only where they come right before one.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The command line after the program path, as it was given, to start the
// program again with the same arguments.
std::string_view ArgumentsText(std::string_view commandLine);

// Switches are whole arguments in any letter case, except that "/auto"
// anywhere in the text, even in the program path or a longer word, asks for
// automatic configuration as it always has, and only in small letters. A
// request for help (/?, /help, -h, --help) outweighs everything else.
Command ParseCommandLine(std::string_view commandLine);

// The usage lines of the help text and of the message about a bad command
// line.
extern const char kCommandLineUsage[];
