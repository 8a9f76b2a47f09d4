#pragma once

#include <cstdint>
#include <span>

// One end of a connection between the program and its service: bytes in
// each direction, in order.
class IPipeStream {
public:
    virtual ~IPipeStream() = default;
    // Fills the whole buffer; false when the other end closed or broke the
    // connection, or took too long.
    virtual bool Read(std::span<std::uint8_t> buffer) = 0;
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
};
