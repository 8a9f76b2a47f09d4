#pragma once

#include "platform/MessagePump.h"

// Translates and dispatches the thread's waiting messages. A WM_QUIT is put
// back for the loop that owns the thread to see.
class CWin32MessagePump final : public IMessagePump {
public:
    void HandleWaiting() override;
};
