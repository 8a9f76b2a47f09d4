#pragma once

#include "fakes/Journal.h"
#include "platform/Clock.h"

#include <string>

// Time moves only when something sleeps or waits on it.
class CFakeClock final : public IClock {
public:
    explicit CFakeClock(CJournal* pJournal = nullptr) : m_pJournal(pJournal) {}

    std::uint32_t now = 0;

    std::uint32_t TickCount() override { return now; }
    void Sleep(std::uint32_t milliseconds) override
    {
        if (m_pJournal)
            m_pJournal->Add("sleep " + std::to_string(milliseconds));
        now += milliseconds;
    }

private:
    CJournal* m_pJournal;
};
