#include "net/Ping.h"

#include <cstdio>

namespace {

constexpr std::uint32_t kPauseMs = 1000;
constexpr std::uint32_t kReplyWindowMs = 1000;

// Process-wide, touched only from the thread that probes.
std::uint32_t g_identifierCounter = 1;
std::uint32_t g_sequenceCounter = 1;

// Releases the socket library exactly once, however Ping ends.
class CSocketSession {
public:
    explicit CSocketSession(ISocketLibrary& sockets) : m_sockets(sockets), m_started(sockets.Startup()) {}
    CSocketSession(const CSocketSession&) = delete;
    CSocketSession& operator=(const CSocketSession&) = delete;
    ~CSocketSession()
    {
        if (m_started)
            m_sockets.Cleanup();
    }

private:
    ISocketLibrary& m_sockets;
    bool m_started;
};

} // namespace

CPing::CPing(ISocketLibrary& sockets, IClock& clock, IMessagePump& pump)
    : m_sockets(sockets), m_clock(clock), m_pump(pump)
{
}

int CPing::Ping(Ipv4Addr host)
{
    m_diagnostics.clear();
    const CSocketSession session(m_sockets);

    const auto socket = m_sockets.OpenIcmp();
    if (!socket) {
        ReportSocketError("socket()");
        return 0;
    }
    const std::uint32_t dwDestination = host.Value();
    if (SendEchoRequest(*socket, dwDestination) == sock::kError) {
        ReportSocketError("SendEchoRequest()");
        return 0;
    }

    m_pump.HandleWaiting();
    m_clock.Sleep(kPauseMs);
    m_pump.HandleWaiting();
    return AwaitReply(*socket, dwDestination);
}

int CPing::AwaitReply(IRawSocket& socket, std::uint32_t dwDestination)
{
    // Every raw ICMP socket sees all incoming ICMP, its own request on
    // loopback included: read past what is not our reply until the window ends.
    const std::uint32_t start = m_clock.TickCount();
    for (;;) {
        const std::uint32_t elapsed = m_clock.TickCount() - start;
        if (elapsed >= kReplyWindowMs)
            return CloseAfter(socket, 0);
        const int ready = WaitForEchoReply(socket, kReplyWindowMs - elapsed);
        if (ready == sock::kError) {
            ReportSocketError("select()");
            return 0;
        }
        if (ready == 0)
            return CloseAfter(socket, 0);

        std::uint32_t dwSource = 0;
        const int count = RecvEchoReply(socket, dwSource);
        if (count == sock::kError) {
            if (m_sockets.LastError() == sock::kMessageSize)
                continue; // larger than our reply can be
            ReportSocketError("recvfrom()");
            ReportSocketError("closesocket()");
            return 0;
        }
        if (IsEchoReplyTo(m_reply, static_cast<std::size_t>(count), dwSource, dwDestination, m_identifier, m_sequence))
            return CloseAfter(socket, 1);
    }
}

int CPing::CloseAfter(IRawSocket& socket, int result)
{
    if (!socket.Close()) {
        ReportSocketError("closesocket()");
        return 0;
    }
    return result;
}

int CPing::SendEchoRequest(IRawSocket& socket, std::uint32_t dwDestination)
{
    m_identifier = static_cast<std::uint16_t>(g_identifierCounter++);
    m_sequence = static_cast<std::uint16_t>(g_sequenceCounter++);
    const EchoRequest request = BuildEchoRequest(m_identifier, m_sequence, m_clock.TickCount());
    const int sent = socket.SendTo(request.data(), static_cast<int>(request.size()), dwDestination);
    if (sent == sock::kError)
        ReportSocketError("sendto()");
    return sent;
}

int CPing::WaitForEchoReply(IRawSocket& socket, std::uint32_t milliseconds)
{
    return socket.WaitReadable(milliseconds);
}

int CPing::RecvEchoReply(IRawSocket& socket, std::uint32_t& dwSource)
{
    return socket.ReceiveFrom(m_reply, static_cast<int>(sizeof m_reply), dwSource);
}

void CPing::ReportSocketError(const char* pszStep)
{
    char text[128];
    std::snprintf(text, sizeof text, "%s - WSAError: %ld", pszStep, m_sockets.LastError());
    m_diagnostics.emplace_back(text);
}
