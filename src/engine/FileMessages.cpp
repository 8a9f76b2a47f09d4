#include "engine/FileMessages.h"

#include "config/ConfigList.h"

std::string UnreadableFileText(const std::string& folder)
{
    return "Tolvi could not read its configuration file " + folder + CConfigList::kFileName +
           ": another program may be using it.";
}

std::string FailedSaveText(const std::string& folder)
{
    return "Tolvi could not write its configuration file " + folder + CConfigList::kFileName +
           ".\nThe changes of this run were not saved.";
}

std::string ChangedOnDiskText(const std::string& folder)
{
    return "Another program changed " + folder + CConfigList::kFileName +
           " while Tolvi was open.\n\nReplace the file's configurations and preferences with the ones of this "
           "window? No keeps the file as it is and drops the changes of this run.";
}

SaveResult SaveAtExit(CConfigList& configs, IMessageBox& messages, const std::string& folder)
{
    SaveResult saved = configs.Save();
    if (saved == SaveResult::ChangedOnDisk &&
        messages.Show(ChangedOnDiskText(folder).c_str(), mb::kYesNo | mb::kIconQuestion) == mb::kIdYes)
        saved = configs.Save(SaveMode::Overwrite);
    if (saved == SaveResult::Failed)
        messages.Show(FailedSaveText(folder).c_str(), mb::kOk | mb::kIconError);
    return saved;
}
