#pragma once

#include <string_view>

enum class UnregisterResult { Done, NotRegistered, Failed };

// Starts the running program whenever the user logs on, with the rights it
// asks for, or stops doing so.
class IStartupRegistration {
public:
    virtual ~IStartupRegistration() = default;
    // Registers the program with these arguments, replacing any registration
    // made before; false when it could not.
    virtual bool Register(std::string_view arguments) = 0;
    virtual UnregisterResult Unregister() = 0;
};
