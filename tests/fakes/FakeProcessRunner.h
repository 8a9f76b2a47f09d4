#pragma once

#include "fakes/FakeClock.h"
#include "fakes/FakeRegistry.h"
#include "fakes/Journal.h"
#include "platform/ProcessRunner.h"

#include <vector>

// Records every program it is asked to run instead of running it. Given a
// registry, it does to it what netsh would do for netsh's commands. Given a
// clock, a command that holds `hang` never ends: its waits pass the time.
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
    std::string hang;
    CFakeClock* pClock = nullptr;
    std::vector<Run> runs;

    std::string SystemDirectory() override { return systemDirectory; }
    std::unique_ptr<IHiddenProcess> StartHidden(const std::string& file, const std::string& parameters) override;

private:
    CJournal* m_pJournal;
};
