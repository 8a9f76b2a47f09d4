#pragma once

#include "net/EchoProbe.h"
#include "net/EchoRequest.h"
#include "platform/Clock.h"
#include "platform/MessagePump.h"
#include "platform/SocketLibrary.h"

#include <cstdint>
#include <string>
#include <vector>

// One ICMP echo round trip per Ping, on the calling thread. The identifier
// and sequence numbers count on across every CPing of the process.
class CPing final : public IEchoProbe {
public:
    CPing(ISocketLibrary& sockets, IClock& clock, IMessagePump& pump);

    // 1 when the echo reply to this call's request arrived within about two
    // seconds, 0 otherwise.
    int Ping(Ipv4Addr host) override;

    // The steps that failed in the last Ping, as "step - WSAError: n"; they
    // are never shown to the user.
    const std::vector<std::string>& Diagnostics() const { return m_diagnostics; }

    int SendEchoRequest(IRawSocket& socket, std::uint32_t dwDestination);
    int WaitForEchoReply(IRawSocket& socket, std::uint32_t milliseconds);
    int RecvEchoReply(IRawSocket& socket, std::uint32_t& dwSource);
    void ReportSocketError(const char* pszStep);

private:
    int AwaitReply(IRawSocket& socket, std::uint32_t dwDestination);
    int CloseAfter(IRawSocket& socket, int result);

    ISocketLibrary& m_sockets;
    IClock& m_clock;
    IMessagePump& m_pump;
    std::uint16_t m_identifier = 0;
    std::uint16_t m_sequence = 0;
    std::uint8_t m_reply[kEchoReplySize] = {};
    std::vector<std::string> m_diagnostics;
};
