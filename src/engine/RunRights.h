#pragma once

#include "engine/CommandLine.h"

// What a run without administrator rights does first. A portable Tolvi
// needs them for everything it does; an installed one has its service
// apply for any user and needs them only to change configurations,
// preferences or start-up, which only an administrator may define.
enum class RightsStep {
    Go,
    RestartElevated, // asks for consent once and goes on elevated
    Refuse,
};

RightsStep RightsStepFor(const Command& command, bool bAdministrator, bool bServiceInstalled);

// Whether the switch changes what an administrator defines.
bool ChangesDefinitions(CommandAction action);

extern const char kNeedsAdministratorText[];
