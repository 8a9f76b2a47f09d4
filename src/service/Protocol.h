#pragma once

#include "engine/Outcome.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The messages between the program and its service, each one frame. A
// request names what to do and nothing else: the service takes no address,
// program or file from a client. Integers are 4 bytes, little-endian; a
// text is its length, then its bytes. The encoders give whole frames, the
// decoders read a frame's payload.

enum class RequestType : std::uint8_t {
    Apply = 1, // then the configuration's name
    Auto = 2,
};

struct Request {
    RequestType type = RequestType::Auto;
    std::string name{}; // of the configuration to apply
};

// The service's answer: the progress display's steps as the engine takes
// them, then one outcome, the last reply.
enum class ReplyType : std::uint8_t {
    Start = 16,
    Caption, // text
    Text,    // text
    Range,   // lower, upper
    Pos,     // position
    Close,
    Outcome = 32, // code, started, found name and connection, messages
};

struct Reply {
    ReplyType type = ReplyType::Outcome;
    std::string text{};
    std::int32_t nFirst = 0;  // the range's lower end, or the position
    std::int32_t nSecond = 0; // the range's upper end
    // Its configuration comes as the two names below, not as pFound.
    Outcome outcome{};
    std::string foundName{}; // empty: none
    std::string foundConnection{};
};

// Longer texts are cut, further messages left out, so that a reply always
// fits its frame.
constexpr std::size_t kMaxReplyText = 4096;
constexpr std::size_t kMaxReplyMessages = 8;

// The name goes whole: one longer than any saved is the service's to judge.
std::vector<std::uint8_t> RequestFrame(const Request& request);
// None for anything but exactly one known request.
std::optional<Request> DecodeRequest(std::span<const std::uint8_t> payload);

std::vector<std::uint8_t> StepFrame(ReplyType type, std::string_view text = {}, std::int32_t nFirst = 0,
                                    std::int32_t nSecond = 0);
std::vector<std::uint8_t> OutcomeFrame(const Outcome& outcome);
// None for anything but exactly one reply within the bounds above.
std::optional<Reply> DecodeReply(std::span<const std::uint8_t> payload);
