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

// At log-on the shell may refuse the icon for a while and never say when
// it is ready; the last outcome waits in the menu and the tip.
TEST(TraySequence, TheIconIsAddedAgainAtEachPollAndTheLastOutcomeKept)
{
    struct CRefusingIcon final : CTraySequence::IIcon {
        int nRefusals = 2, nAdds = 0;
        bool bShown = false;
        bool IsShown() const override { return bShown; }
        bool Add() override { return bShown = ++nAdds > nRefusals; }
    } icon;
    RecordingEngine engine;
    CFakeAdapterList adapters;
    CTraySequence sequence(adapters, engine.clock);
    for (int nTick = 1; nTick <= 4; ++nTick)
        sequence.Poll(icon);
    EXPECT_EQ(icon.nAdds, 3);
    EXPECT_TRUE(icon.bShown);

    EXPECT_EQ(sequence.LastOutcome(), "");
    sequence.NoteOutcome("Configuration 'Lab' works on \"Local Area Network\".", 10, 42);
    EXPECT_EQ(sequence.LastOutcome(), "Last: 'Lab' works on \"Local Area Network\" (10:42)");
    sequence.NoteOutcome("Can't find any appropriate Configuration.\nThe previous settings ...", 9, 5);
    EXPECT_EQ(sequence.LastOutcome(), "Last: Can't find any appropriate Configuration (09:05)");
}

} // namespace
