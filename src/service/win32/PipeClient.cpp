#include "service/win32/PipeClient.h"

#include "service/win32/PipeConnection.h"
#include "service/win32/ServiceNames.h"

#include <windows.h>

namespace {

// Short, so that the thread's messages are handled between the waits.
constexpr DWORD kBusyStep = 250;

} // namespace

std::unique_ptr<IPipeStream> CPipeClient::Connect()
{
    const ULONGLONG start = ::GetTickCount64();
    for (;;) {
        // Reading and writing data only: the security descriptor allows
        // users no more. The service may learn who asks, not act as them.
        CHandle pipe(::CreateFileW(kPipeName, GENERIC_READ | FILE_WRITE_DATA, 0, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
        if (pipe)
            return std::make_unique<CPipeConnection>(std::move(pipe),
                                                     CPipeConnection::Waits{nullptr, INFINITE, &m_pump});
        if (::GetLastError() != ERROR_PIPE_BUSY || ::GetTickCount64() - start >= kBusyTime)
            return nullptr;
        ::WaitNamedPipeW(kPipeName, kBusyStep);
        m_pump.HandleWaiting();
    }
}
