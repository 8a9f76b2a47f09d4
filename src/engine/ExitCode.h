#pragma once

// What a run of the program tells its caller, as the process exit code:
// scripts and deployment tools read nothing else.
enum class ExitCode : int {
    Done = 0,       // applied and taken, working settings found, or the file or registration done
    DidNotWork = 1, // settings did not take, nothing answered, or nothing to try
    NotFound = 2,   // no configuration of that name, or no connection for it
    BadInput = 3,   // a command line or a file that cannot be understood
};
