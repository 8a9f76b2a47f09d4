#pragma once

#include "platform/Elevation.h"

class CWin32Elevation final : public IElevation {
public:
    // Whether Tolvi's service is installed is found above this layer.
    explicit CWin32Elevation(bool bServiceInstalled) : m_bServiceInstalled(bServiceInstalled) {}

    bool IsAdministrator() override;
    bool ServiceInstalled() override { return m_bServiceInstalled; }
    std::optional<std::uint32_t> RunElevated(const std::string& arguments, bool bWait) override;

private:
    bool m_bServiceInstalled;
};
