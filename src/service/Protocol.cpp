#include "service/Protocol.h"

#include "config/Configuration.h"
#include "config/FieldText.h"
#include "platform/MessageBox.h"
#include "service/Frames.h"

#include <algorithm>

namespace {

// A frame: room for the header, the type, then the fields.
class CFrameWriter {
public:
    explicit CFrameWriter(std::uint8_t type)
    {
        m_bytes.reserve(kInitialSize);
        m_bytes.resize(kFrameHeaderSize);
        m_bytes.push_back(type);
    }

    void Number(std::uint32_t n)
    {
        for (int k = 0; k < 4; ++k)
            m_bytes.push_back(static_cast<std::uint8_t>(n >> (8 * k)));
    }
    // Cut at a character's start, so that UTF-8 stays whole.
    void Text(std::string_view text, std::size_t nMax = std::string_view::npos)
    {
        std::size_t nSize = std::min(text.size(), nMax);
        while (nSize < text.size() && nSize > 0 && (static_cast<std::uint8_t>(text[nSize]) & 0xC0) == 0x80)
            --nSize;
        Number(static_cast<std::uint32_t>(nSize));
        m_bytes.insert(m_bytes.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(nSize));
    }
    std::vector<std::uint8_t> Frame()
    {
        const std::size_t nSize = m_bytes.size() - kFrameHeaderSize;
        for (std::size_t k = 0; k < kFrameHeaderSize; ++k)
            m_bytes[k] = static_cast<std::uint8_t>(nSize >> (8 * k));
        return std::move(m_bytes);
    }

private:
    // Enough for any progress step and most outcomes.
    static constexpr std::size_t kInitialSize = 256;
    std::vector<std::uint8_t> m_bytes;
};

// Reads the fields after the type in order; a read beyond the payload or a
// bound spoils the whole reading.
class CPayloadReader {
public:
    explicit CPayloadReader(std::span<const std::uint8_t> payload) : m_payload(payload) {}

    std::uint32_t Number()
    {
        if (!Has(4))
            return 0;
        std::uint32_t n = 0;
        for (std::size_t k = 4; k-- > 0;)
            n = (n << 8) | m_payload[m_pos + k];
        m_pos += 4;
        return n;
    }
    std::string Text(std::size_t nMax)
    {
        const std::uint32_t nSize = Number();
        Require(nSize <= nMax);
        if (!Has(nSize))
            return {};
        const auto* pFirst = reinterpret_cast<const char*>(m_payload.data() + m_pos);
        m_pos += nSize;
        return std::string(pFirst, nSize);
    }
    void Require(bool bCondition) { m_bGood = m_bGood && bCondition; }
    bool Good() const { return m_bGood; }
    // Every byte read, none beyond.
    bool Done() const { return m_bGood && m_pos == m_payload.size(); }

private:
    bool Has(std::size_t nSize)
    {
        Require(m_payload.size() - m_pos >= nSize);
        return m_bGood;
    }

    std::span<const std::uint8_t> m_payload;
    std::size_t m_pos = 1;
    bool m_bGood = true;
};

bool IsIcon(std::uint32_t icon)
{
    return icon == mb::kIconError || icon == mb::kIconWarning || icon == mb::kIconInformation;
}

void ReadOutcome(CPayloadReader& reader, Reply& reply)
{
    const std::uint32_t code = reader.Number();
    reader.Require(code <= static_cast<std::uint32_t>(ExitCode::BadInput));
    reply.outcome.code = static_cast<ExitCode>(code);
    reply.outcome.bStarted = reader.Number() != 0;
    reply.foundName = reader.Text(kNameSize - 1);
    reply.foundConnection = reader.Text(kConnectionSize - 1);
    const std::uint32_t nCount = reader.Number();
    reader.Require(nCount <= kMaxReplyMessages);
    for (std::uint32_t k = 0; k < nCount && reader.Good(); ++k) {
        const std::uint32_t icon = reader.Number();
        reader.Require(IsIcon(icon));
        reply.outcome.messages.push_back({reader.Text(kMaxReplyText), icon});
    }
}

} // namespace

std::vector<std::uint8_t> RequestFrame(const Request& request)
{
    CFrameWriter writer(static_cast<std::uint8_t>(request.type));
    if (request.type == RequestType::Apply)
        writer.Text(request.name);
    return writer.Frame();
}

std::optional<Request> DecodeRequest(std::span<const std::uint8_t> payload)
{
    if (payload.empty())
        return std::nullopt;
    Request request{static_cast<RequestType>(payload[0])};
    CPayloadReader reader(payload);
    // A name is text: one cut short at a NUL would name another.
    if (request.type == RequestType::Apply) {
        request.name = reader.Text(kMaxRequestSize);
        reader.Require(request.name.find('\0') == std::string::npos);
    } else {
        reader.Require(request.type == RequestType::Auto);
    }
    return reader.Done() ? std::optional(request) : std::nullopt;
}

std::vector<std::uint8_t> StepFrame(ReplyType type, std::string_view text, std::int32_t nFirst, std::int32_t nSecond)
{
    CFrameWriter writer(static_cast<std::uint8_t>(type));
    if (type == ReplyType::Caption || type == ReplyType::Text)
        writer.Text(text, kMaxReplyText);
    if (type == ReplyType::Range || type == ReplyType::Pos)
        writer.Number(static_cast<std::uint32_t>(nFirst));
    if (type == ReplyType::Range)
        writer.Number(static_cast<std::uint32_t>(nSecond));
    return writer.Frame();
}

std::vector<std::uint8_t> OutcomeFrame(const Outcome& outcome)
{
    CFrameWriter writer(static_cast<std::uint8_t>(ReplyType::Outcome));
    writer.Number(static_cast<std::uint32_t>(outcome.code));
    writer.Number(outcome.bStarted ? 1 : 0);
    const CONFIGURATION* pFound = outcome.pFound;
    writer.Text(pFound ? FieldText(pFound->szName, kNameSize) : std::string_view());
    writer.Text(pFound ? FieldText(pFound->szConnection, kConnectionSize) : std::string_view());
    const std::size_t nCount = std::min(outcome.messages.size(), kMaxReplyMessages);
    writer.Number(static_cast<std::uint32_t>(nCount));
    for (std::size_t k = 0; k < nCount; ++k) {
        writer.Number(outcome.messages[k].icon);
        writer.Text(outcome.messages[k].text, kMaxReplyText);
    }
    return writer.Frame();
}

std::optional<Reply> DecodeReply(std::span<const std::uint8_t> payload)
{
    if (payload.empty())
        return std::nullopt;
    Reply reply{static_cast<ReplyType>(payload[0])};
    CPayloadReader reader(payload);
    switch (reply.type) {
    case ReplyType::Caption:
    case ReplyType::Text:
        reply.text = reader.Text(kMaxReplyText);
        break;
    case ReplyType::Range:
        reply.nFirst = static_cast<std::int32_t>(reader.Number());
        reply.nSecond = static_cast<std::int32_t>(reader.Number());
        break;
    case ReplyType::Pos:
        reply.nFirst = static_cast<std::int32_t>(reader.Number());
        break;
    case ReplyType::Outcome:
        ReadOutcome(reader, reply);
        break;
    case ReplyType::Start:
    case ReplyType::Close:
        break;
    default:
        return std::nullopt;
    }
    return reader.Done() ? std::optional(reply) : std::nullopt;
}
