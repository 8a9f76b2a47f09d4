#pragma once

#include "config/Configuration.h"
#include "engine/OperationService.h"
#include "service/PipeConnector.h"
#include "service/Protocol.h"

// The operations as the service runs them, one connection each: the
// request goes out, each progress reply drives the display here, and the
// outcome comes back as the engine's would. A service that cannot be
// reached, or stops answering, is an outcome that did not work: nothing is
// ever done in this process instead.
class CServiceClient final : public IOperationService {
public:
    explicit CServiceClient(IPipeConnector& connector) : m_connector(connector) {}

    Outcome Apply(const std::string& name, IProgress& progress) override;
    Outcome Auto(IProgress& progress) override;

private:
    Outcome Ask(const Request& request, IProgress& progress);
    // The outcome, its configuration kept here.
    Outcome Taken(const Reply& reply);

    IPipeConnector& m_connector;
    CONFIGURATION m_found{};
};
