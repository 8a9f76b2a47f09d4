#include "net/Ping.h"
#include "support/NetworkTestValues.h"

#include "fakes/FakeClock.h"
#include "fakes/FakeSocketLibrary.h"
#include "fakes/Journal.h"
#include "net/EchoRequest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

constexpr std::uint32_t kHost = Ip(192, 168, 0, 1);
constexpr std::uint32_t kSendTime = 0x12345678;
constexpr std::uint32_t kPause = 1000, kWindow = 1000;

std::uint16_t Get16(const Bytes& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void Put16(Bytes& bytes, std::size_t at, unsigned value)
{
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// A datagram as the raw socket delivers it: an IPv4 header, then the ICMP
// message made from the request that was sent.
struct Incoming {
    std::uint32_t at = 1500; // milliseconds after the send
    std::uint8_t type = 0, code = 0;
    int idDelta = 0, seqDelta = 0;
    std::uint8_t ihl = 5; // header length in 32-bit words
    int keep = -1;        // bytes kept when not -1
    std::size_t padTo = 0;
    std::uint32_t source = kHost;
    long error = 0; // reading it fails with this
};

Bytes MakeDatagram(const Incoming& in, const Bytes& request)
{
    Bytes bytes(in.ihl * 4u, 0);
    bytes[0] = static_cast<std::uint8_t>(0x40 | in.ihl);
    bytes[8] = 128; // time to live
    bytes[9] = 1;   // ICMP
    for (std::size_t b = 0; b < 4; ++b)
        bytes[12 + b] = static_cast<std::uint8_t>(in.source >> (8 * b));
    Bytes icmp = request;
    icmp[0] = in.type;
    icmp[1] = in.code;
    Put16(icmp, 4, static_cast<unsigned>(Get16(request, 4) + in.idDelta));
    Put16(icmp, 6, static_cast<unsigned>(Get16(request, 6) + in.seqDelta));
    Put16(icmp, 2, 0);
    Put16(icmp, 2, static_cast<std::uint16_t>(~FoldedSum(icmp.data(), icmp.size())));
    bytes.insert(bytes.end(), icmp.begin(), icmp.end());
    if (bytes.size() < in.padTo)
        bytes.resize(in.padTo, 0x55);
    if (in.keep >= 0)
        bytes.resize(static_cast<std::size_t>(in.keep));
    Put16(bytes, 2, static_cast<unsigned>(((bytes.size() & 0xFF) << 8) | (bytes.size() >> 8)));
    return bytes;
}

// Handles no messages; on its first call, which comes right after the send,
// it scripts the datagrams that answer the request just sent.
class CReplyingPump final : public IMessagePump {
public:
    CReplyingPump(CFakeSocketLibrary& sockets, CFakeClock& clock, CJournal& journal)
        : m_sockets(sockets), m_clock(clock), m_journal(journal)
    {
    }

    std::vector<Incoming> replies;

    void HandleWaiting() override
    {
        m_journal.Add("pump");
        if (m_sockets.sent.empty() || replies.empty())
            return;
        for (const Incoming& in : replies)
            m_sockets.incoming.push_back(
                {m_clock.now + in.at, in.source, MakeDatagram(in, m_sockets.sent.back().bytes), in.error});
        replies.clear();
    }

private:
    CFakeSocketLibrary& m_sockets;
    CFakeClock& m_clock;
    CJournal& m_journal;
};

TEST(BuildEchoRequest, LaysOutTheFirstRequest)
{
    Bytes expected = {0x08, 0x00, 0x8A, 0x60, 0x01, 0x00, 0x01, 0x00, 0x00, 0x78, 0x56, 0x34, 0x12};
    for (std::uint8_t c = 0x20; c <= 0x3F; ++c)
        expected.push_back(c);
    const EchoRequest request = BuildEchoRequest(1, 1, kSendTime);
    EXPECT_EQ(Bytes(request.begin(), request.end()), expected);
}

TEST(FoldedSum, AddsLittleEndianWordsWithEndAroundCarry)
{
    // The example of RFC 1071, read in little-endian words: 0xDDF2 swapped.
    const Bytes rfc = {0x00, 0x01, 0xF2, 0x03, 0xF4, 0xF5, 0xF6, 0xF7};
    EXPECT_EQ(FoldedSum(rfc.data(), rfc.size()), 0xF2DDu);
    const Bytes odd = {0x01, 0x02, 0x03};
    EXPECT_EQ(FoldedSum(odd.data(), odd.size()), 0x0204u);
    // Low half and carries add up past 16 bits: both folds are needed.
    const Bytes carries = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00};
    EXPECT_EQ(FoldedSum(carries.data(), carries.size()), 0x0002u);
}

TEST(FoldedSum, OverARequestAsSentIsAllOnes)
{
    const struct {
        std::uint16_t identifier, sequence;
        std::uint32_t sendTime;
    } cases[] = {{1, 1, 0}, {1, 1, kSendTime}, {2, 2, 0xFFFFFFFF}, {0xFFFF, 0xFFFF, 0x80000000}, {0x1234, 0x1234, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.identifier << " " << c.sequence << " " << c.sendTime);
        const EchoRequest request = BuildEchoRequest(c.identifier, c.sequence, c.sendTime);
        EXPECT_EQ(FoldedSum(request.data(), request.size()), 0xFFFFu);
        EXPECT_EQ(request[4] | (request[5] << 8), c.identifier);
        EXPECT_EQ(request[6] | (request[7] << 8), c.sequence);
    }
}

class PingTest : public ::testing::Test {
protected:
    void SetUp() override { clock.now = kSendTime; }
    void TearDown() override { ExpectReleased(); }

    void ExpectReleased()
    {
        EXPECT_EQ(sockets.startups, sockets.cleanups);
        EXPECT_EQ(sockets.openSockets, 0);
    }
    // Runs one probe from a fresh start, the counters apart.
    int Probe(std::vector<Incoming> replies = {})
    {
        clock.now = kSendTime;
        sockets.incoming.clear();
        sockets.sent.clear();
        sockets.waits.clear();
        journal.Clear();
        pump.replies = std::move(replies);
        const int startups = sockets.startups;
        const int result = ping.Ping(Ipv4Addr::FromValue(kHost));
        EXPECT_EQ(sockets.startups, startups + 1);
        ExpectReleased();
        return result;
    }
    bool Slept() const
    {
        const auto& entries = journal.Entries();
        return std::find(entries.begin(), entries.end(), "sleep 1000") != entries.end();
    }

    CJournal journal;
    CFakeClock clock{&journal};
    CFakeSocketLibrary sockets{clock, &journal};
    CReplyingPump pump{sockets, clock, journal};
    CPing ping{sockets, clock, pump};
};

TEST_F(PingTest, SendsTheRequestThenPausesAndWaitsWhatIsLeftOfTheWindow)
{
    EXPECT_EQ(Probe(), 0);
    EXPECT_EQ(journal.Entries(), (Texts{"send", "pump", "sleep 1000", "pump", "wait 1000", "close"}));
    EXPECT_EQ(clock.now, kSendTime + kPause + kWindow);

    EXPECT_EQ(Probe({{.at = 1200, .type = 8}, {.at = 1500}}), 1);
    EXPECT_EQ(journal.Entries(),
              (Texts{"send", "pump", "sleep 1000", "pump", "wait 1000", "receive", "wait 800", "receive", "close"}));
    ASSERT_EQ(sockets.sent.size(), 1u);
    const Bytes& request = sockets.sent[0].bytes;
    EXPECT_EQ(sockets.sent[0].destination, kHost);
    ASSERT_EQ(request.size(), kEchoRequestSize);
    EXPECT_EQ(request[0], 8);
    EXPECT_EQ(Get16(request, 4), Get16(request, 6));
    EXPECT_EQ(Get16(request, 9) | (Get16(request, 11) << 16), kSendTime);
    EXPECT_EQ(FoldedSum(request.data(), request.size()), 0xFFFFu);
    EXPECT_TRUE(ping.Diagnostics().empty());
}

TEST_F(PingTest, ThreeProbesSendConsecutiveNumbers)
{
    std::vector<std::uint16_t> identifiers;
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(Probe(), 0);
        ASSERT_EQ(sockets.sent.size(), 1u);
        identifiers.push_back(Get16(sockets.sent[0].bytes, 4));
        EXPECT_EQ(Get16(sockets.sent[0].bytes, 6), identifiers.back());
    }
    EXPECT_EQ(identifiers[1], static_cast<std::uint16_t>(identifiers[0] + 1));
    EXPECT_EQ(identifiers[2], static_cast<std::uint16_t>(identifiers[0] + 2));
}

TEST_F(PingTest, CountsOnlyTheEchoReplyToItsOwnRequest)
{
    const std::uint32_t other = Ip(192, 168, 0, 2);
    const struct {
        const char* what;
        std::vector<Incoming> datagrams; // one that counts comes last
        int result;
    } cases[] = {
        {"reply from the destination", {{}}, 1},
        {"reply during the pause", {{.at = 300}}, 1},
        {"reply just in time", {{.at = 1999}}, 1},
        {"reply too late", {{.at = 2001}}, 0},
        {"own request, then the reply", {{.at = 1100, .type = 8}, {.at = 1600}}, 1},
        {"own request only", {{.at = 1100, .type = 8}}, 0},
        {"other identifier", {{.idDelta = 1}}, 0},
        {"other sequence", {{.seqDelta = -1}}, 0},
        {"other source", {{.source = other}}, 0},
        {"unreachable", {{.type = 3, .code = 1}}, 0},
        {"reply with a code", {{.code = 1}}, 0},
        {"cut inside the message", {{.keep = 20 + 7}}, 0},
        {"header only", {{.keep = 20}}, 0},
        {"empty", {{.keep = 0}}, 0},
        {"header of 24 bytes", {{.ihl = 6}}, 1},
        {"header longer than the datagram", {{.ihl = 15, .keep = 40}}, 0},
        {"header length below 20", {{.ihl = 4}}, 0},
        {"too large, then the reply", {{.at = 1200, .padTo = 400}, {.at = 1300}}, 1},
        {"several that do not count, then the reply",
         {{.at = 1100, .type = 8}, {.at = 1200, .type = 3}, {.at = 1300, .idDelta = 1}, {.at = 1900}},
         1},
        {"several that do not count",
         {{.at = 1100, .type = 8}, {.at = 1200, .source = other}, {.at = 1900, .ihl = 4}},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Probe(c.datagrams), c.result);
        EXPECT_TRUE(ping.Diagnostics().empty());
        // Datagrams that do not count neither end nor stretch the window.
        const std::uint32_t ends = c.result ? std::max(kPause, c.datagrams.back().at) : kPause + kWindow;
        EXPECT_EQ(clock.now - kSendTime, ends);
    }
}

TEST_F(PingTest, WindowCrossingTheTickWrapStillLastsOneSecond)
{
    clock.now = 0xFFFFFFFFu - 1500;
    pump.replies.clear();
    const std::uint32_t start = clock.now;
    EXPECT_EQ(ping.Ping(Ipv4Addr::FromValue(kHost)), 0);
    EXPECT_EQ(sockets.waits, (std::vector<std::uint32_t>{kWindow}));
    EXPECT_EQ(clock.now - start, kPause + kWindow);
}

TEST_F(PingTest, FailingStepsGiveZeroAndTheirDiagnostics)
{
    const struct {
        const char* what;
        bool openFails, sendFails, waitFails, closeFails;
        std::vector<Incoming> datagrams;
        Texts diagnostics;
        bool sleeps;
    } cases[] = {
        {.what = "socket", .openFails = true, .diagnostics = {"socket() - WSAError: 10013"}},
        {.what = "send",
         .sendFails = true,
         .diagnostics = {"sendto() - WSAError: 10065", "SendEchoRequest() - WSAError: 10065"}},
        {.what = "select", .waitFails = true, .diagnostics = {"select() - WSAError: 10038"}, .sleeps = true},
        {.what = "recvfrom",
         .datagrams = {{.error = 10054}},
         .diagnostics = {"recvfrom() - WSAError: 10054", "closesocket() - WSAError: 10054"},
         .sleeps = true},
        {.what = "close after no reply",
         .closeFails = true,
         .diagnostics = {"closesocket() - WSAError: 10038"},
         .sleeps = true},
        {.what = "close after the reply",
         .closeFails = true,
         .datagrams = {{}},
         .diagnostics = {"closesocket() - WSAError: 10038"},
         .sleeps = true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sockets.openFails = c.openFails;
        sockets.sendFails = c.sendFails;
        sockets.waitFails = c.waitFails;
        sockets.closeFails = c.closeFails;
        EXPECT_EQ(Probe(c.datagrams), 0);
        EXPECT_EQ(ping.Diagnostics(), c.diagnostics);
        EXPECT_EQ(Slept(), c.sleeps);
    }
}

} // namespace
