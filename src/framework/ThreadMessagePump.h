#pragma once

#include "platform/MessagePump.h"

#include <windows.h>

// Hands one message to the thread's PreTranslateMessage chain and, unless
// that took it, translates and dispatches it. Every loop of the program
// (modal dialogs, UI threads, the waits) handles messages through here.
void PumpMessage(MSG& msg);

// Handles the waiting messages during a long wait on a UI thread. A WM_QUIT
// is left in the queue for the thread's own loop.
class CThreadMessagePump final : public IMessagePump {
public:
    void HandleWaiting() override;
};
