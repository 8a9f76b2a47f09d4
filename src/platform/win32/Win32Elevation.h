#pragma once

#include "platform/Elevation.h"

class CWin32Elevation final : public IElevation {
public:
    bool IsAdministrator() override;
    bool ServiceInstalled() override;
    std::optional<std::uint32_t> RunElevated(const std::string& arguments, bool bWait) override;
};
