#pragma once

#include "platform/MessagePump.h"

#include <cstdint>
#include <string>

// How a hidden program ended.
struct ProcessResult {
    bool bStarted = false;
    std::uint32_t exitCode = 0;
    // What it wrote to its standard output and error, turned from the console's
    // OEM code page into the system's ANSI one.
    std::string output;
};

class IProcessRunner {
public:
    virtual ~IProcessRunner() = default;

    // The system folder without a trailing separator; empty when unknown.
    virtual std::string SystemDirectory() = 0;

    // Starts the program hidden, with its output captured, and returns once it
    // has ended, handling the calling thread's messages through `pump` meanwhile.
    virtual ProcessResult RunHidden(const std::string& file, const std::string& parameters, IMessagePump& pump) = 0;
};
