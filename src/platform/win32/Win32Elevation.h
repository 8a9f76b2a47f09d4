#pragma once

#include "platform/Elevation.h"
#include "platform/FileSystem.h"

class CWin32Elevation final : public IElevation {
public:
    // Whether Tolvi's service is installed is found above this layer.
    // The program started again is the one `files` says this is.
    CWin32Elevation(bool bServiceInstalled, IFileSystem& files) : m_bServiceInstalled(bServiceInstalled), m_files(files)
    {
    }

    bool IsAdministrator() override;
    bool ServiceInstalled() override { return m_bServiceInstalled; }
    std::optional<std::uint32_t> RunElevated(const std::string& arguments, bool bWait) override;

private:
    bool m_bServiceInstalled;
    IFileSystem& m_files;
};
