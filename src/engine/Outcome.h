#pragma once

#include "config/Configuration.h"
#include "engine/ExitCode.h"

#include <string>
#include <vector>

// One thing an operation has to tell, with the message box icon it deserves.
struct OutcomeMessage {
    std::string text;
    unsigned icon; // an mb::kIcon... flag

    friend bool operator==(const OutcomeMessage&, const OutcomeMessage&) = default;
};

// What an operation did. Each front end decides what to show of it: the main
// dialog message boxes, a script run boxes or nothing, the tray a notice.
struct Outcome {
    ExitCode code = ExitCode::Done;
    // In the order the user should read them.
    std::vector<OutcomeMessage> messages;
    // The configuration applied by name, or automatic configuration's find;
    // none when the current settings worked, or nothing did.
    const CONFIGURATION* pFound = nullptr;
    // Whether the work began, its progress display opened and closed; not
    // when it was refused before.
    bool bStarted = false;
};
