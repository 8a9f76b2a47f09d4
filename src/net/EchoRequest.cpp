#include "net/EchoRequest.h"

namespace {

constexpr std::uint8_t kEchoRequestType = 8;
constexpr std::uint8_t kEchoReplyType = 0;
constexpr std::size_t kIcmpHeaderSize = 8;
constexpr std::size_t kDataOffset = 13;
constexpr std::size_t kDataSize = 32;

void Put16(std::uint8_t* p, std::uint16_t value)
{
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t Get16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

} // namespace

std::uint16_t FoldedSum(const std::uint8_t* pData, std::size_t nSize)
{
    std::uint32_t sum = 0;
    std::size_t i = 0;
    for (; i + 1 < nSize; i += 2)
        sum += Get16(pData + i);
    if (i < nSize)
        sum += pData[i];
    sum = (sum >> 16) + (sum & 0xFFFFu);
    sum += sum >> 16;
    return static_cast<std::uint16_t>(sum);
}

EchoRequest BuildEchoRequest(std::uint16_t identifier, std::uint16_t sequence, std::uint32_t dwSendTime)
{
    EchoRequest request{};
    request[0] = kEchoRequestType;
    Put16(&request[4], identifier);
    Put16(&request[6], sequence);
    for (std::size_t b = 0; b < 4; ++b)
        request[9 + b] = static_cast<std::uint8_t>(dwSendTime >> (8 * b));
    for (std::size_t j = 0; j < kDataSize; ++j)
        request[kDataOffset + j] = static_cast<std::uint8_t>(32 + j);
    Put16(&request[2], static_cast<std::uint16_t>(~FoldedSum(request.data(), request.size())));
    return request;
}

bool IsEchoReplyTo(const std::uint8_t* pDatagram, std::size_t nSize, std::uint32_t dwSource,
                   std::uint32_t dwDestination, std::uint16_t identifier, std::uint16_t sequence)
{
    if (dwSource != dwDestination || nSize < 1 || (pDatagram[0] >> 4) != 4)
        return false;
    const std::size_t headerSize = (pDatagram[0] & 0x0Fu) * 4u;
    if (headerSize < 20 || nSize < headerSize + kIcmpHeaderSize)
        return false;
    const std::uint8_t* icmp = pDatagram + headerSize;
    return icmp[0] == kEchoReplyType && icmp[1] == 0 && Get16(icmp + 4) == identifier && Get16(icmp + 6) == sequence;
}
