#pragma once

#include "fakes/Journal.h"
#include "platform/MessagePump.h"

class CFakeMessagePump final : public IMessagePump {
public:
    explicit CFakeMessagePump(CJournal* pJournal = nullptr) : m_pJournal(pJournal) {}

    int calls = 0;

    void HandleWaiting() override
    {
        ++calls;
        if (m_pJournal)
            m_pJournal->Add("pump");
    }

private:
    CJournal* m_pJournal;
};
