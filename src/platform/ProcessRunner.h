#pragma once

#include "platform/MessagePump.h"

#include <string>

class IProcessRunner {
public:
    virtual ~IProcessRunner() = default;

    // The system folder without a trailing separator; empty when unknown.
    virtual std::string SystemDirectory() = 0;

    // Starts the program hidden and returns once it has ended, handling the
    // calling thread's messages through `pump` meanwhile. False when it could
    // not be started.
    virtual bool RunHidden(const std::string& file, const std::string& parameters, IMessagePump& pump) = 0;
};
