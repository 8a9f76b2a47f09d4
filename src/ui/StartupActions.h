#pragma once

#include "engine/ExitCode.h"

class IMessageBox;
class IStartupRegistration;

// How the program starts at log-on: the task runs it with no switch, with
// /auto or with /tray.
enum class StartupMode {
    Normal,
    Automatic,
    Tray,
};

// What the registration buttons of Preferences and the matching switches do,
// with the same messages.
ExitCode RegisterAtLogOn(IStartupRegistration& startup, IMessageBox& messages, StartupMode mode);
// Never registered counts as done: the program does not start at log-on,
// which is what was asked.
ExitCode UnregisterAtLogOn(IStartupRegistration& startup, IMessageBox& messages);
