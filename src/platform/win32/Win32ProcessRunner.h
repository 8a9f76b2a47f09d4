#pragma once

#include "platform/ProcessRunner.h"
#include "platform/win32/Handle.h"

// CreateProcess without a window or console, its output read by a thread of
// its own, then a wait that sleeps until the process ends or a message
// arrives for the calling thread.
class CWin32ProcessRunner final : public IProcessRunner {
public:
    std::string SystemDirectory() override;
    ProcessResult RunHidden(const std::string& file, const std::string& parameters, IMessagePump& pump) override;
};

// A hidden program and the reading end of the pipe that takes its standard
// output and error; both empty when it cannot be started.
struct HiddenProcess {
    CHandle process;
    CHandle output;
};
HiddenProcess StartHiddenProcess(const std::string& file, const std::string& parameters);

// Console output, in the OEM code page, in the ANSI code page of the dialogs.
std::string OemToAnsi(const std::string& text);
