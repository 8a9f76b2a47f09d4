#pragma once

#include "platform/FileSecurity.h"

// Reads owners and DACLs through the wide API, so that a path in any
// script reaches Windows whole.
class CWin32FileSecurity final : public IFileSecurity {
public:
    DescriptorRead Descriptor(const std::string& path, std::string& sddl) override;
    std::string AccountName(const std::string& sid) override;
    bool IsOnFixedDrive(const std::string& path) override;
};
