#include "engine/TraySequence.h"

#include "engine/RecordingEngine.h"
#include "fakes/FakeAdapterList.h"

#include <gtest/gtest.h>

namespace {

// Adapter A's addresses as read at a time; "work" reads them in the middle
// of Tolvi's own work, which puts 198.18.7.1 in force on its connection.
TEST(TraySequence, ReadsDecideTheTipAndTheRunAndOwnWorkStartsNothing)
{
    const struct {
        std::uint32_t at;
        const char* what;
        std::vector<std::string> addresses;
        CTraySequence::Next next;
    } reads[] = {
        {0, "first read", {"198.18.5.1"}, {true, false}},
        {2000, "an address gained", {"198.18.5.1", "198.18.5.9"}, {true, false}},
        {6000, "quiet since", {"198.18.5.1", "198.18.5.9"}, {false, true}},
        {7000, "work", {"198.18.5.1", "198.18.5.9"}, {}},
        {8000, "the work's address appears", {"198.18.7.1"}, {true, false}},
        {20000, "and starts nothing", {"198.18.7.1"}, {}},
    };
    RecordingEngine engine;
    CFakeAdapterList adapters;
    CTraySequence sequence(adapters, engine.clock);
    for (const auto& read : reads) {
        SCOPED_TRACE(read.what);
        engine.clock.now = read.at;
        adapters.adapters = {{"A", false, read.addresses}};
        if (std::string(read.what) != "work") {
            EXPECT_EQ(sequence.ReadAdapters(), read.next);
            continue;
        }
        sequence.RunAsOwnWork(engine.connections, [&] {
            engine.connections.inForce[0] = {false, Ipv4Addr::FromControlOrder(0xC6120701)};
            EXPECT_EQ(sequence.ReadAdapters(), read.next); // busy: nothing follows
        });
        EXPECT_FALSE(sequence.IsBusy());
    }
}

} // namespace
