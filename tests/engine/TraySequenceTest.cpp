#include "engine/TraySequence.h"

#include "engine/RecordingEngine.h"
#include "fakes/FakeAdapterList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// Adapter A's addresses as read at a time. "work" reads them in the middle
// of Tolvi's own work, which puts 198.18.7.1 in force on the connection.
struct Read {
    std::uint32_t at;
    const char* what;
    std::vector<std::string> addresses;
    CTraySequence::Next next;
};

TEST(TraySequence, ReadsDecideTheTipAndTheRunAndOwnWorkStartsNothing)
{
    const Read reads[] = {
        {0, "first read", {"198.18.5.1"}, {true, false}},
        {1000, "nothing changed", {"198.18.5.1"}, {false, false}},
        {2000, "an address gained", {"198.18.5.1", "198.18.5.9"}, {true, false}},
        {6000, "quiet since: the run is due", {"198.18.5.1", "198.18.5.9"}, {false, true}},
        {7000, "work", {"198.18.7.1"}, {false, false}},
        {8000, "what the work put in force", {"198.18.7.1"}, {false, false}},
        {20000, "long after, nothing is due", {"198.18.7.1"}, {false, false}},
        {21000, "another address gained", {"198.18.7.1", "198.18.7.2"}, {true, false}},
    };
    RecordingEngine engine;
    CFakeAdapterList adapters;
    CTraySequence sequence(adapters, engine.clock);
    for (const Read& read : reads) {
        SCOPED_TRACE(read.what);
        engine.clock.now = read.at;
        adapters.adapters = {{"A", false, read.addresses}};
        if (std::string(read.what) == "work") {
            sequence.RunAsOwnWork(engine.connections, [&] {
                engine.connections.inForce[0].bDhcpAddress = false;
                engine.connections.inForce[0].ipAddress = Ipv4Addr::FromControlOrder(0xC6120701);
                EXPECT_TRUE(sequence.IsBusy());
                EXPECT_EQ(sequence.ReadAdapters(), CTraySequence::Next{});
            });
            EXPECT_FALSE(sequence.IsBusy());
            continue;
        }
        EXPECT_EQ(sequence.ReadAdapters(), read.next);
    }
}

} // namespace
