#include "service/RequestHandler.h"

#include "config/ConfigList.h"
#include "engine/ApplyConfiguration.h"
#include "engine/AutoConfiguration.h"
#include "engine/FileMessages.h"
#include "net/NetworkInfo.h"
#include "net/Ping.h"
#include "platform/MessageBox.h"
#include "service/Frames.h"
#include "service/PipeProgress.h"

#include <optional>
#include <vector>

bool CRequestHandler::Answer(IPipeStream& client)
{
    std::vector<std::uint8_t> payload;
    const FrameRead read = ReadFrame(client, kMaxRequestSize, payload);
    if (read == FrameRead::Unreadable)
        return false;
    CPipeProgress progress(client);
    const std::optional<Request> request = read == FrameRead::Read ? DecodeRequest(payload) : std::nullopt;
    if (request)
        return progress.Send(Run(*request, progress));
    return progress.Send(OutcomeFrame({ExitCode::BadInput,
                                       {{"The Tolvi service did not understand the request: this Tolvi.exe may be of "
                                         "another version than the service's.",
                                         mb::kIconError}}}));
}

std::vector<std::uint8_t> CRequestHandler::Run(const Request& request, IProgress& progress)
{
    CConfigList configs(m_platform.files, m_platform.codePage);
    if (configs.Load(m_platform.clock) == LoadResult::Unopenable)
        return OutcomeFrame(
            {ExitCode::DidNotWork,
             {{UnreadableFileText(m_platform.files.ExecutableDirectory()) + "\nNothing was done.", mb::kIconWarning}}});
    CNetworkInfo connections(m_platform.network);
    CPing probe(m_platform.sockets, m_platform.clock, m_platform.network.pump);
    const EngineServices services{configs, connections, probe, progress, m_platform.clock};
    if (request.type == RequestType::Auto)
        return OutcomeFrame(CAutoConfiguration(services).Run());
    Outcome outcome = ApplyNamedConfiguration(services, request.name);
    // As a script run in-process says it.
    if (connections.AdaptersUnreadable())
        outcome.messages.insert(outcome.messages.begin(),
                                {"Cannot get informations of network adapters.", mb::kIconError});
    return OutcomeFrame(outcome);
}
