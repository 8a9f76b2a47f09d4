#pragma once

#include <cstdint>
#include <memory>

namespace sock {
constexpr int kError = -1;
// The datagram was longer than the buffer; the rest of it is lost.
constexpr long kMessageSize = 10040;
} // namespace sock

// A raw ICMP socket over IPv4. Addresses are address values: the first
// dotted number in the least significant byte. Closed when dropped.
class IRawSocket {
public:
    virtual ~IRawSocket() = default;
    // The count sent, or sock::kError.
    virtual int SendTo(const void* pData, int nSize, std::uint32_t dwAddress) = 0;
    // 1 readable, 0 timed out, sock::kError.
    virtual int WaitReadable(std::uint32_t milliseconds) = 0;
    // One datagram with its IPv4 header: the count read, or sock::kError.
    virtual int ReceiveFrom(void* pBuffer, int nSize, std::uint32_t& dwSource) = 0;
    [[nodiscard]] virtual bool Close() = 0;
};

class ISocketLibrary {
public:
    virtual ~ISocketLibrary() = default;
    // Each successful start is matched by one release.
    virtual bool Startup() = 0;
    virtual void Cleanup() = 0;
    // Empty when the socket cannot be made.
    virtual std::unique_ptr<IRawSocket> OpenIcmp() = 0;
    virtual long LastError() = 0;
};
