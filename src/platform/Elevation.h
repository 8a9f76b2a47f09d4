#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Whether this process may change the machine, and starting the program
// again where it may. An installed Tolvi runs without administrator rights
// and has its service apply for it; a portable one runs elevated.
class IElevation {
public:
    virtual ~IElevation() = default;
    // Decided from the token's membership of Administrators, so a filtered
    // token of an administrator counts as a user's.
    virtual bool IsAdministrator() = 0;
    // Tolvi's service exists on this PC: Tolvi is installed.
    virtual bool ServiceInstalled() = 0;
    // Starts this program with administrator rights and these arguments,
    // after the one consent prompt Windows shows. With `bWait`, its exit code
    // once it has ended; without, 0 once it has started. None when it was not
    // started (the prompt was refused).
    virtual std::optional<std::uint32_t> RunElevated(const std::string& arguments, bool bWait) = 0;
};
