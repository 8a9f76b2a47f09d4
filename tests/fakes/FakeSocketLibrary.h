#pragma once

#include "fakes/FakeClock.h"
#include "fakes/Journal.h"
#include "platform/SocketLibrary.h"

#include <deque>
#include <string>
#include <vector>

// Raw ICMP without a network: requests are recorded, and the datagrams a
// test scripts arrive at their times on the fake clock.
class CFakeSocketLibrary final : public ISocketLibrary {
public:
    struct Datagram {
        std::uint32_t arrival = 0; // clock time it becomes readable
        std::uint32_t source = 0;
        std::vector<std::uint8_t> bytes;
        long error = 0; // when set, reading it fails with this error
    };
    struct Sent {
        std::vector<std::uint8_t> bytes;
        std::uint32_t destination;
    };

    explicit CFakeSocketLibrary(CFakeClock& clock, CJournal* pJournal = nullptr) : m_clock(clock), m_pJournal(pJournal)
    {
    }

    bool openFails = false, sendFails = false, waitFails = false, closeFails = false;
    long lastError = 0;
    std::deque<Datagram> incoming;
    std::vector<Sent> sent;
    std::vector<std::uint32_t> waits; // the time-out of each wait
    int startups = 0, cleanups = 0, openSockets = 0;

    bool Startup() override
    {
        ++startups;
        return true;
    }
    void Cleanup() override { ++cleanups; }
    std::unique_ptr<IRawSocket> OpenIcmp() override;
    long LastError() override { return lastError; }

private:
    friend class CFakeRawSocket;
    CFakeClock& m_clock;
    CJournal* m_pJournal;
};
