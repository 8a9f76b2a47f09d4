#include "FuzzCheck.h"
#include "service/Protocol.h"

#include <algorithm>
#include <cstdlib>
#include <span>

// The service reads these bytes from any user as SYSTEM: whatever they are,
// it takes exactly one known request, which encodes back to the very same
// bytes, or none. The program's reading of a reply stays within its bounds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> payload(data, size);
    if (const std::optional<Request> request = DecodeRequest(payload)) {
        Check(request->type == RequestType::Apply || request->name.empty());
        const std::vector<std::uint8_t> frame = RequestFrame(*request);
        Check(frame.size() == size + 4 && std::equal(frame.begin() + 4, frame.end(), payload.begin()));
    }
    if (const std::optional<Reply> reply = DecodeReply(payload))
        Check(reply->text.size() <= kMaxReplyText && reply->outcome.messages.size() <= kMaxReplyMessages);
    return 0;
}
