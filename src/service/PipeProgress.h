#pragma once

#include "engine/Progress.h"
#include "service/PipeStream.h"
#include "service/Protocol.h"

#include <cstdint>
#include <vector>

// The progress display of an operation the service runs for a client: each
// step goes to the client as a reply, for its own display. A client that
// is gone or too slow to read is sent nothing more; the work goes on.
class CPipeProgress final : public IProgress {
public:
    explicit CPipeProgress(IPipeStream& client) : m_client(client) {}

    void Start() override;
    void SetCaption(const char* pszText) override;
    void SetText(const char* pszText) override;
    void SetRange(int nLower, int nUpper) override;
    void SetPos(int nPos) override;
    void Close() override;

    // False once the client could not be sent a reply.
    bool Send(const std::vector<std::uint8_t>& frame);

private:
    IPipeStream& m_client;
    bool m_bReachable = true;
};
