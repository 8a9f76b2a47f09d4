#pragma once

#include "platform/AdapterList.h"
#include "platform/AddressStates.h"
#include "platform/Clock.h"
#include "platform/MessagePump.h"
#include "platform/ProcessRunner.h"
#include "platform/Registry.h"

// The system services CNetworkInfo works through; they outlive it.
struct NetworkPlatform {
    IAdapterList& adapters;
    IRegistry& registry;
    IProcessRunner& processes;
    IMessagePump& pump;
    // Times netsh, which is ended when it hangs.
    IClock& clock;
    // Where Windows checks an address for another computer that has it; none
    // where nothing tells.
    IAddressStates* pAddressStates = nullptr;
};
