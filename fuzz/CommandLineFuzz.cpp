#include "FuzzCheck.h"
#include "engine/CommandLine.h"

#include <cstdlib>
#include <string_view>

// Whatever a command line holds, a switch that works on a name or a file
// never goes ahead without one, and /install only with a mode it knows.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Command command = ParseCommandLine({reinterpret_cast<const char*>(data), size});
    if (!command.error.empty())
        return 0;
    switch (command.action) {
    case CommandAction::Apply:
    case CommandAction::Export:
    case CommandAction::Import:
        Check(!command.operand.empty());
        break;
    case CommandAction::Install:
        Check(command.operand.empty() || command.operand == "normal" || command.operand == "auto" ||
              command.operand == "tray");
        break;
    default:
        Check(command.operand.empty());
    }
    return 0;
}
