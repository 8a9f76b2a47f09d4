#include "service/win32/PipeConnection.h"

CPipeConnection::CPipeConnection(HANDLE hPipe, const Waits& waits)
    : m_hPipe(hPipe), m_waits(waits), m_event(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

CPipeConnection::CPipeConnection(CHandle pipe, const Waits& waits) : CPipeConnection(pipe.Get(), waits)
{
    m_owned = std::move(pipe);
}

bool CPipeConnection::Read(std::span<std::uint8_t> buffer)
{
    const ULONGLONG start = ::GetTickCount64();
    // A byte pipe hands over what has arrived, perhaps part of a frame.
    for (std::size_t nDone = 0; nDone < buffer.size();) {
        OVERLAPPED overlapped{};
        overlapped.hEvent = m_event.Get();
        const BOOL bBegun =
            ::ReadFile(m_hPipe, buffer.data() + nDone, static_cast<DWORD>(buffer.size() - nDone), nullptr, &overlapped);
        const DWORD nRead = Finish(bBegun, overlapped, start, m_waits.hStop);
        if (nRead == 0)
            return false;
        nDone += nRead;
    }
    return true;
}

bool CPipeConnection::Write(std::span<const std::uint8_t> bytes)
{
    OVERLAPPED overlapped{};
    overlapped.hEvent = m_event.Get();
    const BOOL bBegun = ::WriteFile(m_hPipe, bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, &overlapped);
    return Finish(bBegun, overlapped, ::GetTickCount64(), nullptr) == bytes.size();
}

DWORD CPipeConnection::Finish(BOOL bBegun, OVERLAPPED& overlapped, ULONGLONG start, HANDLE hStop)
{
    if (!m_event || (!bBegun && ::GetLastError() != ERROR_IO_PENDING))
        return 0;
    DWORD nMoved = 0;
    if (Wait(start, hStop))
        return ::GetOverlappedResult(m_hPipe, &overlapped, &nMoved, FALSE) ? nMoved : 0;
    ::CancelIoEx(m_hPipe, &overlapped);
    ::GetOverlappedResult(m_hPipe, &overlapped, &nMoved, TRUE);
    return 0;
}

bool CPipeConnection::Wait(ULONGLONG start, HANDLE hStop) const
{
    const HANDLE handles[] = {m_event.Get(), hStop};
    const DWORD nHandles = hStop ? 2 : 1;
    // A thread that is ending keeps its quit message queued for its own
    // loop, so waiting for input as well would only spin.
    MSG quit;
    IMessagePump* const pPump =
        m_waits.pPump && !::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) ? m_waits.pPump : nullptr;
    for (;;) {
        DWORD remaining = INFINITE;
        if (m_waits.timeLimit != INFINITE) {
            const ULONGLONG elapsed = ::GetTickCount64() - start;
            if (elapsed >= m_waits.timeLimit)
                return false;
            remaining = m_waits.timeLimit - static_cast<DWORD>(elapsed);
        }
        const DWORD result =
            pPump ? ::MsgWaitForMultipleObjectsEx(nHandles, handles, remaining, QS_ALLINPUT, MWMO_INPUTAVAILABLE)
                  : ::WaitForMultipleObjects(nHandles, handles, FALSE, remaining);
        if (result == WAIT_OBJECT_0)
            return true;
        if (!pPump || result != WAIT_OBJECT_0 + nHandles)
            return false; // stopped, too slow, or the wait failed
        pPump->HandleWaiting();
    }
}
