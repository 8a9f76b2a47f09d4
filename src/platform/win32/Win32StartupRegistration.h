#pragma once

#include "platform/StartupRegistration.h"

// A portable Tolvi registers a task "Tolvi" in the root folder of the Task
// Scheduler, through its COM interfaces, and removes the value "Tolvi" under
// HKEY_LOCAL_MACHINE's Run key: Windows never starts a program that asks for
// elevation from there. An installed Tolvi, which runs without elevation,
// registers that value for every user and removes the task. Unregistering
// removes both.
class CWin32StartupRegistration final : public IStartupRegistration {
public:
    explicit CWin32StartupRegistration(bool bInstalled) : m_bInstalled(bInstalled) {}

    bool RunsForAUser() override;
    bool StartsElevated() override { return !m_bInstalled; }
    bool Register(const std::string& programPath, std::string_view arguments) override;
    UnregisterResult Unregister() override;

private:
    bool m_bInstalled;
};
