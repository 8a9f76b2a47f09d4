#pragma once

#include "platform/ProcessRunner.h"
#include "platform/fake/Journal.h"

#include <vector>

// Records every program it is asked to run instead of running it.
class CFakeProcessRunner final : public IProcessRunner {
public:
    struct Run {
        std::string file;
        std::string parameters;
    };

    explicit CFakeProcessRunner(CJournal* pJournal = nullptr) : m_pJournal(pJournal) {}

    std::string systemDirectory = "C:\\windows\\system32";
    bool startFails = false;
    std::vector<Run> runs;

    std::string SystemDirectory() override { return systemDirectory; }
    bool RunHidden(const std::string& file, const std::string& parameters, IMessagePump& pump) override
    {
        runs.push_back({file, parameters});
        if (m_pJournal)
            m_pJournal->Add("run " + parameters);
        if (startFails)
            return false;
        pump.HandleWaiting(); // as a real wait would while the program runs
        return true;
    }

private:
    CJournal* m_pJournal;
};
