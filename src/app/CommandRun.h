#pragma once

#include "config/ConfigList.h"
#include "engine/CommandLine.h"
#include "engine/ExitCode.h"
#include "engine/Outcome.h"
#include "engine/Progress.h"
#include "ui/TolviSystem.h"

#include <string>

// A run of the program for a script: one switch's work without the main
// dialog, told by the exit code and, unless quiet, by message boxes.
class CCommandRun final {
public:
    explicit CCommandRun(const TolviSystem& system);
    CCommandRun(const CCommandRun&) = delete;
    CCommandRun& operator=(const CCommandRun&) = delete;

    ExitCode Run(const Command& command);

private:
    // Loads Tolvi.cfg, does the work and writes the file when it changed.
    ExitCode RunOnConfigurations(const Command& command);
    // Through the service where it is installed, else in this process.
    Outcome Apply(CConfigList& configs, const std::string& name);
    Outcome ApplyHere(CConfigList& configs, const std::string& name, IProgress& progress);
    void Message(const std::string& text, unsigned flags);

    TolviSystem m_system;
};
