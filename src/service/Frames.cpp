#include "service/Frames.h"

#include <array>

FrameRead ReadFrame(IPipeStream& stream, std::size_t nMaxSize, std::vector<std::uint8_t>& payload)
{
    std::array<std::uint8_t, kFrameHeaderSize> header{};
    if (!stream.Read(header))
        return FrameRead::Unreadable;
    std::size_t nSize = 0;
    for (std::size_t k = kFrameHeaderSize; k-- > 0;)
        nSize = (nSize << 8) | header[k];
    if (nSize == 0 || nSize > nMaxSize)
        return FrameRead::OutOfBounds;
    payload.resize(nSize);
    return stream.Read(payload) ? FrameRead::Read : FrameRead::Unreadable;
}
