#include "fakes/FakeSocketLibrary.h"

#include <algorithm>
#include <cstring>

class CFakeRawSocket final : public IRawSocket {
public:
    explicit CFakeRawSocket(CFakeSocketLibrary& library) : m_library(library) { ++m_library.openSockets; }
    CFakeRawSocket(const CFakeRawSocket&) = delete;
    CFakeRawSocket& operator=(const CFakeRawSocket&) = delete;
    ~CFakeRawSocket() override
    {
        if (m_open)
            --m_library.openSockets;
    }

    int SendTo(const void* pData, int nSize, std::uint32_t dwAddress) override
    {
        Note("send");
        if (m_library.sendFails) {
            m_library.lastError = 10065; // host unreachable
            return sock::kError;
        }
        const auto* p = static_cast<const std::uint8_t*>(pData);
        m_library.sent.push_back({{p, p + nSize}, dwAddress});
        return nSize;
    }

    int WaitReadable(std::uint32_t milliseconds) override
    {
        Note("wait " + std::to_string(milliseconds));
        m_library.waits.push_back(milliseconds);
        if (m_library.waitFails) {
            m_library.lastError = 10038; // not a socket
            return sock::kError;
        }
        CFakeClock& clock = m_library.m_clock;
        auto& incoming = m_library.incoming;
        if (!incoming.empty() && incoming.front().arrival <= clock.now + milliseconds) {
            clock.now = std::max(clock.now, incoming.front().arrival);
            return 1;
        }
        clock.now += milliseconds;
        return 0;
    }

    int ReceiveFrom(void* pBuffer, int nSize, std::uint32_t& dwSource) override
    {
        Note("receive");
        auto& incoming = m_library.incoming;
        if (incoming.empty()) {
            m_library.lastError = 10035; // would block
            return sock::kError;
        }
        const CFakeSocketLibrary::Datagram datagram = incoming.front();
        incoming.pop_front();
        const auto count = std::min(datagram.bytes.size(), static_cast<std::size_t>(nSize));
        if (count > 0)
            std::memcpy(pBuffer, datagram.bytes.data(), count);
        dwSource = datagram.source;
        if (datagram.error != 0 || count < datagram.bytes.size()) {
            m_library.lastError = datagram.error != 0 ? datagram.error : sock::kMessageSize;
            return sock::kError;
        }
        return static_cast<int>(count);
    }

    bool Close() override
    {
        Note("close");
        if (m_open) {
            m_open = false;
            --m_library.openSockets;
        }
        if (m_library.closeFails) {
            m_library.lastError = 10038;
            return false;
        }
        return true;
    }

private:
    void Note(const std::string& what)
    {
        if (m_library.m_pJournal)
            m_library.m_pJournal->Add(what);
    }

    CFakeSocketLibrary& m_library;
    bool m_open = true;
};

std::unique_ptr<IRawSocket> CFakeSocketLibrary::OpenIcmp()
{
    if (openFails) {
        lastError = 10013; // access denied
        return nullptr;
    }
    return std::make_unique<CFakeRawSocket>(*this);
}
