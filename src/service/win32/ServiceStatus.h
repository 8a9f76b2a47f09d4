#pragma once

#include <windows.h>

// What the service tells the service manager of its state. The control
// handler's thread and the service's own both report, one at a time.
class CServiceStatus {
public:
    // Reports that the service is starting; false when the service manager
    // does not know the service.
    bool Register(const wchar_t* pszService, LPHANDLER_FUNCTION_EX pHandler, void* pContext);
    // Takes stop and shutdown requests from now on.
    void Running();
    // A stop was asked for: pending until Stopped, a step at each Checkpoint.
    void Stopping();
    void Checkpoint();
    // The last report: nothing may follow it, since the process may end.
    void Stopped(DWORD error);

    // How long the service manager waits for the next step.
    static constexpr DWORD kWaitHint = 10000;

private:
    void Report(DWORD state);

    SRWLOCK m_lock = SRWLOCK_INIT;
    SERVICE_STATUS_HANDLE m_handle = nullptr;
    SERVICE_STATUS m_status{SERVICE_WIN32_OWN_PROCESS, SERVICE_STOPPED, 0, NO_ERROR, 0, 0, 0};
};
