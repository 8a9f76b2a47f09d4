#pragma once

#include "platform/MessagePump.h"
#include "service/PipeConnector.h"

// The program's way to the service's pipe. While another user's request
// holds the pipe's one instance, it waits a while, handling the thread's
// messages; it then waits for replies as long as the service works.
class CPipeClient final : public IPipeConnector {
public:
    static constexpr unsigned kBusyTime = 60000;

    explicit CPipeClient(IMessagePump& pump) : m_pump(pump) {}

    std::unique_ptr<IPipeStream> Connect() override;

private:
    IMessagePump& m_pump;
};
