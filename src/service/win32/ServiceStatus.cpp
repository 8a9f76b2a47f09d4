#include "service/win32/ServiceStatus.h"

namespace {

// Holds the lock for its life.
class CExclusive {
public:
    explicit CExclusive(SRWLOCK& lock) : m_lock(lock) { ::AcquireSRWLockExclusive(&m_lock); }
    ~CExclusive() { ::ReleaseSRWLockExclusive(&m_lock); }
    CExclusive(const CExclusive&) = delete;
    CExclusive& operator=(const CExclusive&) = delete;

private:
    SRWLOCK& m_lock;
};

} // namespace

bool CServiceStatus::Register(const wchar_t* pszService, LPHANDLER_FUNCTION_EX pHandler, void* pContext)
{
    const SERVICE_STATUS_HANDLE handle = ::RegisterServiceCtrlHandlerExW(pszService, pHandler, pContext);
    const CExclusive lock(m_lock);
    // The handle is never closed.
    m_handle = handle;
    if (m_handle)
        Report(SERVICE_START_PENDING);
    return m_handle != nullptr;
}

void CServiceStatus::Running()
{
    const CExclusive lock(m_lock);
    m_status.dwControlsAccepted = SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN;
    Report(SERVICE_RUNNING);
}

void CServiceStatus::Stopping()
{
    const CExclusive lock(m_lock);
    m_status.dwControlsAccepted = 0;
    Report(SERVICE_STOP_PENDING);
}

void CServiceStatus::Checkpoint()
{
    const CExclusive lock(m_lock);
    if (m_status.dwCurrentState == SERVICE_STOP_PENDING)
        Report(SERVICE_STOP_PENDING);
}

void CServiceStatus::Stopped(DWORD error)
{
    const CExclusive lock(m_lock);
    m_status.dwControlsAccepted = 0;
    m_status.dwWin32ExitCode = error;
    Report(SERVICE_STOPPED);
}

void CServiceStatus::Report(DWORD state)
{
    const bool bPending = state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING;
    // A pending state counts its steps from 1; any other has none.
    m_status.dwCheckPoint = !bPending ? 0 : m_status.dwCurrentState == state ? m_status.dwCheckPoint + 1 : 1;
    m_status.dwCurrentState = state;
    m_status.dwWaitHint = bPending ? kWaitHint : 0;
    if (m_handle)
        ::SetServiceStatus(m_handle, &m_status);
}
