#include "service/RequestHandler.h"
#include "service/ServiceClient.h"

#include "platform/SecurityDescriptor.h"
#include "service/Frames.h"
#include "service/PipeSecurity.h"

#include "engine/RecordingEngine.h"
#include "fakes/FakeAdapterList.h"
#include "fakes/FakeMessagePump.h"
#include "fakes/FakeProcessRunner.h"
#include "fakes/FakeSocketLibrary.h"
#include "fakes/Latin1CodePage.h"
#include "platform/SystemFileSystem.h"
#include "support/ForwardingFileSystem.h"
#include "support/NetworkTestValues.h"
#include "support/TempDir.h"
#include "support/TestSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

// A connection in memory: reads take the bytes given, writes are kept.
class CMemoryPipe final : public IPipeStream {
public:
    explicit CMemoryPipe(Bytes input) : m_input(std::move(input)) {}
    Bytes written;

    bool Read(std::span<std::uint8_t> buffer) override
    {
        if (m_input.size() - m_pos < buffer.size())
            return false;
        std::copy_n(m_input.begin() + static_cast<std::ptrdiff_t>(m_pos), buffer.size(), buffer.begin());
        m_pos += buffer.size();
        return true;
    }
    bool Write(std::span<const std::uint8_t> bytes) override
    {
        written.insert(written.end(), bytes.begin(), bytes.end());
        return true;
    }

private:
    Bytes m_input;
    std::size_t m_pos = 0;
};

// The client's connection reads what the service wrote; what the client
// sends is not looked at.
class CReplayConnector final : public IPipeConnector {
public:
    explicit CReplayConnector(Bytes replies) : m_replies(std::move(replies)) {}
    std::unique_ptr<IPipeStream> Connect() override { return std::make_unique<CMemoryPipe>(m_replies); }

private:
    Bytes m_replies;
};

// A frame whose header says nSize, written out here, then the payload.
Bytes Frame(std::uint32_t nSize, const std::string& payload)
{
    Bytes bytes{static_cast<std::uint8_t>(nSize), static_cast<std::uint8_t>(nSize >> 8),
                static_cast<std::uint8_t>(nSize >> 16), static_cast<std::uint8_t>(nSize >> 24)};
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

Bytes Frame(const std::string& payload)
{
    return Frame(static_cast<std::uint32_t>(payload.size()), payload);
}

// An apply request: its type, the name's length, the name.
std::string ApplyPayload(const std::string& name, std::size_t nSaid)
{
    return std::string{'\x01', static_cast<char>(nSaid), static_cast<char>(nSaid >> 8), '\0', '\0'} + name;
}

std::string Told(const Outcome& outcome)
{
    std::string text = "exit " + std::to_string(static_cast<int>(outcome.code));
    if (outcome.pFound)
        text += std::string(", '") + outcome.pFound->szName + "' on '" + outcome.pFound->szConnection + "'";
    for (const OutcomeMessage& message : outcome.messages)
        text += ": " + message.text;
    return text;
}

const std::string kAdapter = "{0A000000-1111-4222-8333-000000000001}";
const std::string kRefused = "exit 3: The Tolvi service did not understand the request: this Tolvi.exe may be of "
                             "another version than the service's.";
const std::string kUnanswered = "exit 1: The Tolvi service stopped answering before it was done: the network "
                                "settings may have changed. Look at them before you try again.";

} // namespace

TEST(ServiceProtocol, AnswersWhatItCanReadAsTheEngineDoesAndRefusesTheRest)
{
    const std::string longName(600, 'x');
    const struct {
        const char* what;
        Bytes request;
        Texts transcript; // the client's progress display, then its outcome
        Texts commands;   // netsh's, run by the service
    } cases[] = {
        {"a saved configuration applied, every step shown",
         Frame(ApplyPayload("Lab", 3)),
         {"progress start", "caption Applying Network Configuration..", "range 0 2", "pos 0",
          "text Setting IP Address, Subnet Mask and Default Gateway...", "pos 1", "text Setting DNS Servers...",
          "pos 2", "text Done.", "progress close", "exit 0, 'Lab' on 'Local Area Network'"},
         {"interface ip set address name=\"Local Area Network\" source=static addr=198.18.5.1 mask=255.255.255.0 "
          "gateway=198.18.5.254 gwmetric=1",
          "interface ip set dns name=\"Local Area Network\" source=static addr=198.18.5.53 register=PRIMARY",
          "interface ip add dns name=\"Local Area Network\" addr=198.18.5.54 index=2"}},
        {"a name not saved", Frame(ApplyPayload("Nowhere", 7)), {"exit 2: There is no configuration named 'Nowhere'."}},
        {"a name longer than any saved, not cut to one",
         Frame(ApplyPayload(longName, longName.size())),
         {"exit 2: There is no configuration named '" + longName + "'."}},
        {"an unknown type", Frame("\x07"), {kRefused}},
        {"automatic configuration with bytes after it", Frame(std::string("\x02x")), {kRefused}},
        {"a name said longer than the frame", Frame(ApplyPayload("Lab", 4)), {kRefused}},
        {"a name cut short by a NUL", Frame(ApplyPayload(std::string("Lab\0x", 5), 5)), {kRefused}},
        {"an empty frame", Frame(""), {kRefused}},
        {"a frame beyond the bound, refused unread", Frame(kMaxRequestSize + 1, "\x02"), {kRefused}},
        {"nothing sent: no answer", {}, {kUnanswered}},
        {"a frame cut short: no answer", Frame(10, "\x01"), {kUnanswered}},
    };
    CTempDir dir;
    CSystemFileSystem system;
    CRelocatedFileSystem files(system, dir.Path().string() + "/");
    CLatin1CodePage codePage;
    CConfigList saved(files, codePage);
    saved.Add("Lab", "Local Area Network",
              Settings(0, 0, Ip(198, 18, 5, 1), Ip(255, 255, 255, 0), Ip(198, 18, 5, 254), Ip(198, 18, 5, 53),
                       Ip(198, 18, 5, 54), 0));
    ASSERT_EQ(saved.Save(), SaveResult::Written);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CFakeAdapterList adapters;
        adapters.adapters.push_back({kAdapter, false});
        CFakeRegistry registry;
        registry.SetString(kConnectionClassKey + "\\" + kAdapter + "\\Connection", "Name", "Local Area Network");
        registry.SetDword(kInterfacesKey + kAdapter, "EnableDHCP", 1);
        CFakeProcessRunner processes;
        processes.pNetshRegistry = &registry;
        CFakeMessagePump pump;
        CFakeClock clock;
        CFakeSocketLibrary sockets(clock);
        CMemoryPipe service(c.request);
        CRequestHandler({{adapters, registry, processes, pump, clock}, sockets, files, clock, codePage})
            .Answer(service);

        CJournal journal;
        CRecordingProgress progress(journal);
        CReplayConnector connector(service.written);
        const std::string told = Told(CServiceClient(connector).Apply("Lab", progress));
        Texts transcript = journal.Entries();
        transcript.push_back(told);
        EXPECT_EQ(transcript, c.transcript);
        Texts commands;
        for (const CFakeProcessRunner::Run& run : processes.runs)
            commands.push_back(run.parameters);
        EXPECT_EQ(commands, c.commands);
    }
}

// Wine keeps no pipe's security: its descriptor's text is what is checked.
TEST(ServiceProtocol, OnlyTheServiceSideMayServeThePipeAndUsersOfThisComputerOnlyUseIt)
{
    const std::optional<SecurityDescriptor> pipe = ParseSecurityDescriptor(kPipeSecurity);
    ASSERT_TRUE(pipe);
    // Reading and writing data is all that anyone else may do.
    EXPECT_EQ(OtherAccountAllowed(*pipe, ~(0x120089u | file_rights::kWriteData)), std::nullopt);
    EXPECT_EQ(OtherAccountAllowed(*pipe, file_rights::kWriteData), "IU");
    ASSERT_FALSE(pipe->entries.empty());
    EXPECT_FALSE(pipe->entries.front().bAllow);
    EXPECT_EQ(pipe->entries.front().sid, "NU");
}
