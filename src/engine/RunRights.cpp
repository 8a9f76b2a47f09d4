#include "engine/RunRights.h"

const char kNeedsAdministratorText[] =
    "Changing Tolvi's configurations, preferences or start-up needs administrator rights. Nothing was changed: "
    "run Tolvi as an administrator for it.";

bool ChangesDefinitions(CommandAction action)
{
    switch (action) {
    case CommandAction::Import:
    case CommandAction::Register:
    case CommandAction::RegisterAuto:
    case CommandAction::RegisterTray:
    case CommandAction::Unregister:
    case CommandAction::Install:
        return true;
    default:
        return false;
    }
}

RightsStep RightsStepFor(const Command& command, bool bAdministrator, bool bServiceInstalled)
{
    // Help and a bad command line only show text.
    if (bAdministrator || !command.error.empty() || command.action == CommandAction::Help)
        return RightsStep::Go;
    if (!bServiceInstalled)
        return RightsStep::RestartElevated;
    return ChangesDefinitions(command.action) ? RightsStep::Refuse : RightsStep::Go;
}
