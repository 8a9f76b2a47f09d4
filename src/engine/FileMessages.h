#pragma once

#include "config/ConfigList.h"
#include "platform/MessageBox.h"

#include <string>

// What the user is told when Tolvi.cfg in `folder` could not be read at
// start (the first sentence; the caller says what follows from it), or
// written at the end of a run.
std::string UnreadableFileText(const std::string& folder);
std::string FailedSaveText(const std::string& folder);
// The question when another program changed Tolvi.cfg since it was read.
std::string ChangedOnDiskText(const std::string& folder);

// Writes Tolvi.cfg at the end of the main dialog's run: a file that another
// program changed meanwhile (a script's /import, say) is replaced only when
// the user says so; a write that failed is told.
SaveResult SaveAtExit(CConfigList& configs, IMessageBox& messages, const std::string& folder);
