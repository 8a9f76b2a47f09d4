#pragma once

#include <optional>
#include <string>

class IFileSecurity;

// The first place from which a user without administrator rights could
// change what the program does, said as `PATH: "ACCOUNT" can change it`;
// none when only SYSTEM, Administrators and TrustedInstaller can change the
// program, the configuration file beside it (when there is one), its folder
// and every folder above.
std::optional<std::string> FindLocationFault(IFileSecurity& security, const std::string& programPath,
                                             const std::string& configName);
