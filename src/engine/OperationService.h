#pragma once

#include "engine/Outcome.h"
#include "engine/Progress.h"

#include <string>

// The operations on saved configurations as another process does them for
// this one: the service of an installed Tolvi, which alone has the rights
// to change the network, on its own Tolvi.cfg. It drives the progress
// display as the engine would; the outcome's configuration stays valid
// until the next call.
class IOperationService {
public:
    virtual ~IOperationService() = default;
    virtual Outcome Apply(const std::string& name, IProgress& progress) = 0;
    virtual Outcome Auto(IProgress& progress) = 0;
};
