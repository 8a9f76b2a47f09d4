#pragma once

#include "service/PipeStream.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Each message between the program and its service is one frame: its
// length in 4 bytes, little-endian, then that many bytes. Both ends bound
// what they read, so that neither ever holds more than it expects.
constexpr std::size_t kFrameHeaderSize = 4;
// A configuration's name and its type, with room to spare.
constexpr std::size_t kMaxRequestSize = 1024;
constexpr std::size_t kMaxReplySize = 64 * 1024;

enum class FrameRead {
    Read,
    Unreadable,  // closed, broken or too slow, perhaps inside the frame
    OutOfBounds, // empty or longer than allowed: its bytes are left unread
};

// The frame's payload, without its header.
FrameRead ReadFrame(IPipeStream& stream, std::size_t nMaxSize, std::vector<std::uint8_t>& payload);
