#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The ICMP echo request the probe sends: type, code, checksum, identifier,
// sequence number, one zero byte, the send time and 32 bytes of data, packed,
// in the machine's byte order (little-endian).
constexpr std::size_t kEchoRequestSize = 45;
// A 20-byte IPv4 header, an echoed request and 256 bytes more.
constexpr std::size_t kEchoReplySize = 321;

using EchoRequest = std::array<std::uint8_t, kEchoRequestSize>;

EchoRequest BuildEchoRequest(std::uint16_t identifier, std::uint16_t sequence, std::uint32_t dwSendTime);

// The Internet checksum (RFC 1071) of the bytes, each 16-bit word read in
// the machine's byte order, not yet complemented: 0xFFFF over a request as sent.
std::uint16_t FoldedSum(const std::uint8_t* pData, std::size_t nSize);

// Whether a datagram read from the raw socket, IPv4 header first, is the echo
// reply from `dwDestination` to the request with these numbers.
bool IsEchoReplyTo(const std::uint8_t* pDatagram, std::size_t nSize, std::uint32_t dwSource,
                   std::uint32_t dwDestination, std::uint16_t identifier, std::uint16_t sequence);
