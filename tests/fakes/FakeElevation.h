#pragma once

#include "platform/Elevation.h"

#include <string>
#include <vector>

// An administrator's portable Tolvi unless a test says otherwise; notes
// every elevated start instead of making one.
class CFakeElevation final : public IElevation {
public:
    bool IsAdministrator() override { return bAdministrator; }
    bool ServiceInstalled() override { return bServiceInstalled; }
    std::optional<std::uint32_t> RunElevated(const std::string& arguments, bool) override
    {
        elevatedRuns.push_back(arguments);
        return bConsent ? std::optional<std::uint32_t>(0) : std::nullopt;
    }

    bool bAdministrator = true;
    bool bServiceInstalled = false;
    bool bConsent = true;
    std::vector<std::string> elevatedRuns;
};
