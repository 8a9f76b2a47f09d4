#include "service/ServiceClient.h"

#include "platform/MessageBox.h"
#include "service/Frames.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

Outcome NotReached(const char* pszWhy)
{
    return {ExitCode::DidNotWork, {{pszWhy, mb::kIconError}}};
}

// Drives the display as the service's engine did; whether it is open.
bool Relay(const Reply& reply, IProgress& progress, bool bOpen)
{
    switch (reply.type) {
    case ReplyType::Start:
        progress.Start();
        return true;
    case ReplyType::Caption:
        progress.SetCaption(reply.text.c_str());
        break;
    case ReplyType::Text:
        progress.SetText(reply.text.c_str());
        break;
    case ReplyType::Range:
        progress.SetRange(reply.nFirst, reply.nSecond);
        break;
    case ReplyType::Pos:
        progress.SetPos(reply.nFirst);
        break;
    case ReplyType::Close:
        progress.Close();
        return false;
    default:
        break;
    }
    return bOpen;
}

} // namespace

Outcome CServiceClient::Apply(const std::string& name, IProgress& progress)
{
    return Ask({RequestType::Apply, name}, progress);
}

Outcome CServiceClient::Auto(IProgress& progress)
{
    return Ask({RequestType::Auto, {}}, progress);
}

Outcome CServiceClient::Ask(const Request& request, IProgress& progress)
{
    const std::unique_ptr<IPipeStream> pService = m_connector.Connect();
    if (!pService || !pService->Write(RequestFrame(request)))
        return NotReached("The Tolvi service, which changes the network settings for Tolvi, cannot be reached: it "
                          "is not running, or busy for too long. Nothing was changed.");
    bool bOpen = false;
    for (;;) {
        std::vector<std::uint8_t> payload;
        std::optional<Reply> reply;
        if (ReadFrame(*pService, kMaxReplySize, payload) == FrameRead::Read)
            reply = DecodeReply(payload);
        if (reply && reply->type == ReplyType::Outcome)
            return Taken(*reply);
        if (!reply) {
            if (bOpen)
                progress.Close();
            return NotReached("The Tolvi service stopped answering before it was done: the network settings may "
                              "have changed. Look at them before you try again.");
        }
        bOpen = Relay(*reply, progress, bOpen);
    }
}

Outcome CServiceClient::Taken(const Reply& reply)
{
    Outcome outcome = reply.outcome;
    outcome.pFound = nullptr;
    if (!reply.foundName.empty()) {
        std::snprintf(m_found.szName, sizeof m_found.szName, "%s", reply.foundName.c_str());
        std::snprintf(m_found.szConnection, sizeof m_found.szConnection, "%s", reply.foundConnection.c_str());
        outcome.pFound = &m_found;
    }
    return outcome;
}
