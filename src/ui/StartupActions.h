#pragma once

#include "engine/ExitCode.h"

class IFileSecurity;
class IFileSystem;
class IMessageBox;
class IStartupRegistration;

// How the program starts at log-on: the task runs it with no switch, with
// /auto or with /tray.
enum class StartupMode {
    Normal,
    Automatic,
    Tray,
};

// What registering needs: where the program is and who can change it, the
// task, and where to tell the outcome.
struct StartupServices {
    IStartupRegistration& startup;
    IFileSystem& files;
    IFileSecurity& security;
    IMessageBox& messages;
};

// What the registration buttons of Preferences and the matching switches do,
// with the same messages. The program is registered only where nobody but
// an administrator can change it; elsewhere the user is offered the install.
ExitCode RegisterAtLogOn(const StartupServices& services, StartupMode mode);
// Never registered counts as done: the program does not start at log-on,
// which is what was asked.
ExitCode UnregisterAtLogOn(IStartupRegistration& startup, IMessageBox& messages);
// Copies the program, and Tolvi.cfg when the destination has none, into
// Program Files\Tolvi and registers that copy.
ExitCode InstallForAllUsers(const StartupServices& services, StartupMode mode);
