#pragma once

#include "engine/ExitCode.h"

class IMessageBox;
class IStartupRegistration;

// What the registration buttons of Preferences and the matching switches do,
// with the same messages.
ExitCode RegisterAtLogOn(IStartupRegistration& startup, IMessageBox& messages, bool bAutomatic);
// Never registered counts as done: the program does not start at log-on,
// which is what was asked.
ExitCode UnregisterAtLogOn(IStartupRegistration& startup, IMessageBox& messages);
