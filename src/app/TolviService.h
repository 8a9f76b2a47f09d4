#pragma once

#include "engine/ExitCode.h"
#include "platform/win32/Handle.h"
#include "service/win32/ServiceStatus.h"
#include "ui/TolviSystem.h"

#include <windows.h>

// Tolvi.exe /service: the service "Tolvi", the one part of an installed
// Tolvi with the rights to change the network. It answers the pipe's
// clients one at a time, running the engine on the service's own thread,
// until the service manager stops it.
class CTolviService {
public:
    explicit CTolviService(const TolviSystem& system);
    CTolviService(const CTolviService&) = delete;
    CTolviService& operator=(const CTolviService&) = delete;

    // Until the service stops; DidNotWork, told, when the service manager
    // did not start it.
    ExitCode Run();

private:
    static void WINAPI ServiceMain(DWORD nArguments, LPWSTR* ppArguments);
    static DWORD WINAPI OnControl(DWORD control, DWORD eventType, void* pEventData, void* pContext);
    void Serve();

    TolviSystem m_system;
    CHandle m_stop;
    CServiceStatus m_status;
};
