#pragma once

// Handles the calling thread's messages during long waits on that thread,
// so that its windows stay responsive.
class IMessagePump {
public:
    virtual ~IMessagePump() = default;
    // Handles every message now waiting, then returns.
    virtual void HandleWaiting() = 0;
};
