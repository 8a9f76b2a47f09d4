#pragma once

#include "config/ConfigList.h"
#include "engine/CommandLine.h"
#include "engine/Outcome.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

#include <functional>
#include <memory>
#include <string>

// The script runs that work on Tolvi.cfg (/apply, /export, /import): the
// file is loaded, the switch's work done, and the file written when it
// changed; an import that another program's change to the file overtook is
// done again on what that program wrote. What the user should hear comes
// back in the outcome.
class CScriptRun {
public:
    // Applies the configuration of this name from the loaded list.
    using ApplyNamed = std::function<Outcome(CConfigList& configs, const std::string& name)>;

    // The code page is Tolvi.cfg's: text files are UTF-8 throughout.
    CScriptRun(IFileSystem& files, const ICodePage& codePage, IClock& clock);

    Outcome Run(const Command& command, const ApplyNamed& apply);

private:
    Outcome Export(const std::string& path);
    Outcome Import(const std::string& path);

    IFileSystem& m_files;
    const ICodePage& m_codePage;
    IClock& m_clock;
    // Made anew when the file is read again.
    std::unique_ptr<CConfigList> m_configList;
};
