#pragma once

#include "platform/ProcessRunner.h"
#include "platform/win32/Handle.h"

// CreateProcess without a window or console, in a job of its own so that it
// and whatever it starts can be ended together; its output is read by a
// thread of its own, and a wait sleeps until the process ends or a message
// arrives for the calling thread.
class CWin32ProcessRunner final : public IProcessRunner {
public:
    std::string SystemDirectory() override;
    std::unique_ptr<IHiddenProcess> StartHidden(const std::string& file, const std::string& parameters) override;
};

// A hidden program, the job that holds it (none where the program runs in a
// job that allows no other) and the reading end of the pipe that takes its
// standard output and error; the process is empty when it cannot be started.
struct HiddenProcess {
    CHandle process;
    CHandle job;
    CHandle output;
};
HiddenProcess StartHiddenProcess(const std::string& file, const std::string& parameters);

// Console output, in the OEM code page, as the program's UTF-8.
std::string OemToUtf8(const std::string& text);
