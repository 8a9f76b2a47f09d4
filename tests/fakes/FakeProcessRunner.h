#pragma once

#include "fakes/FakeRegistry.h"
#include "fakes/Journal.h"
#include "platform/ProcessRunner.h"

#include <vector>

// Records every program it is asked to run instead of running it. Given a
// registry, it does to it what netsh would do for netsh's commands.
class CFakeProcessRunner final : public IProcessRunner {
public:
    struct Run {
        std::string file;
        std::string parameters;
    };

    explicit CFakeProcessRunner(CJournal* pJournal = nullptr) : m_pJournal(pJournal) {}

    std::string systemDirectory = "C:\\windows\\system32";
    bool startFails = false;
    CFakeRegistry* pNetshRegistry = nullptr;
    std::string refuse; // netsh refuses commands that hold it
    std::vector<Run> runs;

    std::string SystemDirectory() override { return systemDirectory; }
    ProcessResult RunHidden(const std::string& file, const std::string& parameters, IMessagePump& pump) override;

private:
    CJournal* m_pJournal;
};
