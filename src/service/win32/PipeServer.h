#pragma once

#include "platform/win32/Handle.h"
#include "service/PipeStream.h"

#include <windows.h>

#include <functional>

// The service's end of the pipe: one instance, so one client at a time,
// refused to remote computers and, by its security descriptor, open only
// to the users logged on to this computer, SYSTEM and Administrators.
class CPipeServer {
public:
    // A client has this long to send its request, and to take each reply.
    static constexpr DWORD kClientTime = 5000;

    explicit CPipeServer(HANDLE hStop);
    CPipeServer(const CPipeServer&) = delete;
    CPipeServer& operator=(const CPipeServer&) = delete;

    // Why the pipe could not be made; 0 when it is there.
    DWORD Error() const { return m_error; }
    // Answers clients one at a time until the stop event is set; false,
    // with Error() set, when the pipe failed. An answer says whether it sent
    // a reply: only then is the client given time to read it.
    bool Serve(const std::function<bool(IPipeStream&)>& answer);

private:
    // A client connected: ERROR_SUCCESS; ERROR_OPERATION_ABORTED when
    // stopped.
    DWORD Accept();
    // Lets the client read the last reply before its end is closed.
    void AwaitClose();

    HANDLE m_hStop;
    CHandle m_event;
    CHandle m_pipe;
    DWORD m_error = ERROR_SUCCESS;
};
