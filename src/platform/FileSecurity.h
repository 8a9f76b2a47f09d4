#pragma once

#include <string>

enum class DescriptorRead { Read, Missing, Unreadable };

// Who may change the files and folders the program starts from.
class IFileSecurity {
public:
    virtual ~IFileSecurity() = default;
    // The owner and DACL of a file or folder in their text form (SDDL).
    virtual DescriptorRead Descriptor(const std::string& path, std::string& sddl) = 0;
    // The account's name as Windows shows it; the SID when it has none.
    virtual std::string AccountName(const std::string& sid) = 0;
    // False on a network or removable drive, whose files others control.
    virtual bool IsOnFixedDrive(const std::string& path) = 0;
};
