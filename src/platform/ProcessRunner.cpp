#include "platform/ProcessRunner.h"

ProcessResult RunHidden(IProcessRunner& runner, IClock& clock, IMessagePump& pump, const std::string& file,
                        const std::string& parameters, std::uint32_t limitMs)
{
    const std::unique_ptr<IHiddenProcess> process = runner.StartHidden(file, parameters);
    if (!process)
        return {};
    const std::uint32_t start = clock.TickCount();
    for (;;) {
        const std::uint32_t elapsed = clock.TickCount() - start;
        if (elapsed >= limitMs) {
            process->Terminate();
            ProcessResult result = process->Result();
            result.bTimedOut = true;
            return result;
        }
        if (process->Wait(pump, limitMs - elapsed))
            return process->Result();
    }
}
