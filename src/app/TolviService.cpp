#include "app/TolviService.h"

#include "platform/MessageBox.h"
#include "service/RequestHandler.h"
#include "service/win32/PipeServer.h"
#include "service/win32/ServiceNames.h"

namespace {

// The service manager's call gives ServiceMain no context of its own.
CTolviService* g_pService = nullptr;

// Each reply sent while a stop waits for the work tells the service manager
// that it goes on.
class CCheckpointingStream final : public IPipeStream {
public:
    CCheckpointingStream(IPipeStream& client, CServiceStatus& status) : m_client(client), m_status(status) {}

    bool Read(std::span<std::uint8_t> buffer) override { return m_client.Read(buffer); }
    bool Write(std::span<const std::uint8_t> bytes) override
    {
        m_status.Checkpoint();
        return m_client.Write(bytes);
    }

private:
    IPipeStream& m_client;
    CServiceStatus& m_status;
};

} // namespace

CTolviService::CTolviService(const TolviSystem& system)
    : m_system(system), m_stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

ExitCode CTolviService::Run()
{
    g_pService = this;
    SERVICE_TABLE_ENTRYW table[] = {{const_cast<LPWSTR>(kServiceName), &CTolviService::ServiceMain},
                                    {nullptr, nullptr}};
    // Returns once the service has stopped.
    if (::StartServiceCtrlDispatcherW(table))
        return ExitCode::Done;
    m_system.messages.Show("Tolvi.exe /service is the service \"Tolvi\": Windows' service manager starts it, as "
                           "installing Tolvi sets it up.",
                           mb::kOk | mb::kIconError);
    return ExitCode::DidNotWork;
}

void WINAPI CTolviService::ServiceMain(DWORD, LPWSTR*)
{
    try {
        g_pService->Serve();
    } catch (...) {
        // Nothing may unwind into the service manager's code.
        g_pService->m_status.Stopped(ERROR_EXCEPTION_IN_SERVICE);
    }
}

DWORD WINAPI CTolviService::OnControl(DWORD control, DWORD, void*, void* pContext)
{
    auto* pService = static_cast<CTolviService*>(pContext);
    switch (control) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
        // A request at work is finished first: it stops halfway nowhere.
        pService->m_status.Stopping();
        ::SetEvent(pService->m_stop.Get());
        return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
        return NO_ERROR;
    default:
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

void CTolviService::Serve()
{
    if (!m_status.Register(kServiceName, &CTolviService::OnControl, this))
        return;
    CPipeServer server(m_stop.Get());
    const DWORD error = m_stop ? server.Error() : ERROR_INVALID_HANDLE;
    if (error != ERROR_SUCCESS) {
        m_status.Stopped(error);
        return;
    }
    m_status.Running();
    CRequestHandler handler({m_system.network, m_system.sockets, m_system.files, m_system.clock, m_system.codePage});
    const bool bStopped = server.Serve([&](IPipeStream& client) {
        CCheckpointingStream checkpointing(client, m_status);
        return handler.Answer(checkpointing);
    });
    m_status.Stopped(bStopped ? NO_ERROR : server.Error());
}
