#include "service/win32/PipeServer.h"

#include "platform/win32/LocalMemory.h"
#include "service/Frames.h"
#include "service/PipeSecurity.h"
#include "service/win32/PipeConnection.h"
#include "service/win32/ServiceNames.h"

#include <sddl.h>

#include <array>
#include <cstring>
#include <string>

CPipeServer::CPipeServer(HANDLE hStop) : m_hStop(hStop), m_event(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    const std::wstring security(kPipeSecurity, kPipeSecurity + std::strlen(kPipeSecurity));
    CLocalMemory<void> descriptor;
    if (!m_event || !::ConvertStringSecurityDescriptorToSecurityDescriptorW(security.c_str(), SDDL_REVISION_1,
                                                                            descriptor.Put(), nullptr)) {
        m_error = ::GetLastError();
        return;
    }
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.Get(), FALSE};
    // The first instance, or another program has taken the name: then the
    // service does not start rather than share it.
    m_pipe =
        CHandle(::CreateNamedPipeW(kPipeName, PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                   PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                                   kMaxReplySize, kMaxRequestSize, 0, &attributes));
    if (!m_pipe)
        m_error = ::GetLastError();
}

bool CPipeServer::Serve(const std::function<bool(IPipeStream&)>& answer)
{
    while (m_pipe && ::WaitForSingleObject(m_hStop, 0) == WAIT_TIMEOUT) {
        const DWORD result = Accept();
        if (result == ERROR_SUCCESS) {
            CPipeConnection client(m_pipe.Get(), {m_hStop, kClientTime});
            if (answer(client))
                AwaitClose();
        } else if (result != ERROR_NO_DATA && result != ERROR_OPERATION_ABORTED) {
            m_error = result;
            return false;
        }
        // ERROR_NO_DATA: the client left before it was seen.
        ::DisconnectNamedPipe(m_pipe.Get());
    }
    return m_pipe.Get() != nullptr;
}

DWORD CPipeServer::Accept()
{
    OVERLAPPED overlapped{};
    overlapped.hEvent = m_event.Get();
    if (::ConnectNamedPipe(m_pipe.Get(), &overlapped))
        return ERROR_SUCCESS;
    const DWORD error = ::GetLastError();
    if (error != ERROR_IO_PENDING)
        return error == ERROR_PIPE_CONNECTED ? ERROR_SUCCESS : error;
    const HANDLE handles[] = {m_event.Get(), m_hStop};
    DWORD nUnused = 0;
    if (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0)
        return ::GetOverlappedResult(m_pipe.Get(), &overlapped, &nUnused, FALSE) ? ERROR_SUCCESS : ::GetLastError();
    ::CancelIoEx(m_pipe.Get(), &overlapped);
    ::GetOverlappedResult(m_pipe.Get(), &overlapped, &nUnused, TRUE);
    return ERROR_OPERATION_ABORTED;
}

void CPipeServer::AwaitClose()
{
    // Disconnecting throws away what the client has not read yet; a client
    // closes its end once it has the outcome, which ends this read. It
    // sends nothing more, and anything it does is not waited for.
    CPipeConnection client(m_pipe.Get(), {nullptr, kClientTime});
    std::array<std::uint8_t, 1> rest{};
    client.Read(rest);
}
