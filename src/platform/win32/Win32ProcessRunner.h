#pragma once

#include "platform/ProcessRunner.h"
#include "platform/win32/Handle.h"

// ShellExecuteExA, hidden, then a wait that sleeps until the process ends or
// a message arrives for the calling thread.
class CWin32ProcessRunner final : public IProcessRunner {
public:
    std::string SystemDirectory() override;
    bool RunHidden(const std::string& file, const std::string& parameters, IMessagePump& pump) override;
};

// Starts the program hidden without a shell error box of its own; empty when
// it cannot be started.
CHandle StartHiddenProcess(const std::string& file, const std::string& parameters);
