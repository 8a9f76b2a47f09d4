#pragma once

#include <string>
#include <string_view>

enum class UnregisterResult { Done, NotRegistered, Failed };

// Starts a program whenever the user who registers it logs on, with the
// rights it asks for, or stops doing so.
class IStartupRegistration {
public:
    virtual ~IStartupRegistration() = default;
    // False when this process runs as a service's account (SYSTEM,
    // LocalService, NetworkService): a task registered from there would be
    // that account's and never start for a user.
    virtual bool RunsForAUser() = 0;
    // Whether what is registered starts with the user's administrator
    // rights; an installed Tolvi starts without them and leaves that to its
    // service.
    virtual bool StartsElevated() = 0;
    // Registers the program with these arguments, replacing any registration
    // made before; false when it could not.
    virtual bool Register(const std::string& programPath, std::string_view arguments) = 0;
    virtual UnregisterResult Unregister() = 0;
};
