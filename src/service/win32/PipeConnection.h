#pragma once

#include "platform/MessagePump.h"
#include "platform/win32/Handle.h"
#include "service/PipeStream.h"

#include <windows.h>

// One connected end of the pipe, read and written with overlapped I/O so
// that a wait can end by a time limit or a stop, or handle the thread's
// messages meanwhile.
class CPipeConnection final : public IPipeStream {
public:
    struct Waits {
        // Ends a read at once: a request not yet read is not answered. A
        // reply is still written, so that a client hears how its work went.
        HANDLE hStop = nullptr;
        DWORD timeLimit = INFINITE; // for each Read or Write
        // Handles the waiting thread's messages, for a window's thread.
        IMessagePump* pPump = nullptr;
    };

    // Borrows the server's end, which outlives it.
    CPipeConnection(HANDLE hPipe, const Waits& waits);
    // Owns a client's end.
    CPipeConnection(CHandle pipe, const Waits& waits);
    CPipeConnection(const CPipeConnection&) = delete;
    CPipeConnection& operator=(const CPipeConnection&) = delete;

    bool Read(std::span<std::uint8_t> buffer) override;
    bool Write(std::span<const std::uint8_t> bytes) override;

private:
    // Waits for the operation begun; when it must not wait longer, cancels
    // it and waits for that, since the operation holds `overlapped` until
    // it has ended. The bytes moved, or none.
    DWORD Finish(BOOL bBegun, OVERLAPPED& overlapped, ULONGLONG start, HANDLE hStop);
    bool Wait(ULONGLONG start, HANDLE hStop) const;

    CHandle m_owned;
    HANDLE m_hPipe;
    Waits m_waits;
    CHandle m_event;
};
