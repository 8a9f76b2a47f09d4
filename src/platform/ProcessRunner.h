#pragma once

#include "platform/Clock.h"
#include "platform/MessagePump.h"

#include <cstdint>
#include <memory>
#include <string>

// How a hidden program ended.
struct ProcessResult {
    bool bStarted = false;
    std::uint32_t exitCode = 0;
    // What it wrote to its standard output and error, turned from the console's
    // OEM code page into UTF-8.
    std::string output;
    // It did not end within its time and was ended.
    bool bTimedOut = false;
};

// A program started hidden, with its output captured.
class IHiddenProcess {
public:
    virtual ~IHiddenProcess() = default;
    // Waits at most `ms` for it to end, handling the calling thread's messages
    // through `pump` meanwhile; true once it has ended.
    virtual bool Wait(IMessagePump& pump, std::uint32_t ms) = 0;
    // Ends it and every program it started.
    virtual void Terminate() = 0;
    // Its exit code and output, once it has ended.
    virtual ProcessResult Result() = 0;
};

class IProcessRunner {
public:
    virtual ~IProcessRunner() = default;

    // The system folder without a trailing separator; empty when unknown.
    virtual std::string SystemDirectory() = 0;

    // None when the program cannot be started. The path and the parameters
    // are UTF-8, and reach the program whole whatever the system's code page.
    virtual std::unique_ptr<IHiddenProcess> StartHidden(const std::string& file, const std::string& parameters) = 0;
};

// Runs the program hidden and returns once it has ended, handling the
// calling thread's messages meanwhile; a program still running after
// `limitMs` is ended, so that a hung one never holds its caller for good.
ProcessResult RunHidden(IProcessRunner& runner, IClock& clock, IMessagePump& pump, const std::string& file,
                        const std::string& parameters, std::uint32_t limitMs);
