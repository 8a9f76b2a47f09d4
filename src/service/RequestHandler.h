#pragma once

#include "engine/Progress.h"
#include "net/NetworkPlatform.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/SocketLibrary.h"
#include "service/PipeStream.h"
#include "service/Protocol.h"

#include <cstdint>
#include <vector>

// The system services the service works on; they outlive it.
struct ServicePlatform {
    NetworkPlatform network;
    ISocketLibrary& sockets;
    // Tolvi.cfg beside the service's program.
    IFileSystem& files;
    IClock& clock;
    // The names' code page, for a Tolvi.cfg of version 1.
    const ICodePage& codePage;
};

// The service's answer to one client: it reads the request, runs it on the
// engine with the service's own Tolvi.cfg, read afresh for each request,
// and sends the progress, then the outcome. A request it cannot read in
// full is not answered; one it does not understand is refused.
class CRequestHandler {
public:
    explicit CRequestHandler(const ServicePlatform& platform) : m_platform(platform) {}

    // Whether a reply was sent.
    bool Answer(IPipeStream& client);

private:
    // The outcome's frame, made while the configurations it names are read.
    std::vector<std::uint8_t> Run(const Request& request, IProgress& progress);

    ServicePlatform m_platform;
};
