#pragma once

#include "service/PipeStream.h"

#include <memory>

// Opens a connection to the service.
class IPipeConnector {
public:
    virtual ~IPipeConnector() = default;
    // None when the service cannot be reached.
    virtual std::unique_ptr<IPipeStream> Connect() = 0;
};
