#include "ui/FileMessages.h"

#include "config/ConfigList.h"

std::string UnreadableFileText(const std::string& folder)
{
    return "Tolvi could not read its configuration file " + folder + CConfigList::kFileName +
           ": another program may be using it.\nTolvi runs on its default settings, and the changes of this run "
           "will not be saved. The file is left as it is.";
}

std::string FailedSaveText(const std::string& folder)
{
    return "Tolvi could not write its configuration file " + folder + CConfigList::kFileName +
           ".\nThe changes of this run were not saved.";
}
