#pragma once

#include "config/ConfigList.h"
#include "engine/CommandLine.h"
#include "engine/ExitCode.h"
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
    ExitCode Apply(const std::string& name);
    ExitCode Export(const std::string& path);
    ExitCode Import(const std::string& path);
    // Messages about a text file quote it in UTF-8; message boxes show the
    // code page.
    std::string InCodePage(const std::string& utf8) const;
    void Message(const std::string& text, unsigned flags);

    TolviSystem m_system;
    CConfigList m_configList;
};
