#pragma once

#include "platform/StartupRegistration.h"

// A task "Tolvi" in the root folder of the Task Scheduler, through its COM
// interfaces. Both directions also remove the value "Tolvi" that an earlier
// Tolvi wrote under HKEY_LOCAL_MACHINE's Run key: Windows never starts a
// program that asks for elevation from there.
class CWin32StartupRegistration final : public IStartupRegistration {
public:
    bool RunsForAUser() override;
    bool Register(const std::string& programPath, std::string_view arguments) override;
    UnregisterResult Unregister() override;
};
