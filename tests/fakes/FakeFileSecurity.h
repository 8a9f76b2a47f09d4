#pragma once

#include "platform/FileSecurity.h"

#include <map>
#include <string>

// A PC whose places are admin-only unless a row says otherwise; Tolvi.cfg
// is missing unless a row gives it.
class CFakeFileSecurity final : public IFileSecurity {
public:
    // As Windows describes an admin-only place: entries for SYSTEM and
    // Administrators, reading for Users, and Program Files' inherit-only ones.
    static constexpr char kAdminOnly[] =
        "O:BAD:PAI(A;OICI;FA;;;SY)(A;;0x1301bf;;;BA)(A;OICIIO;GA;;;BA)(A;OICI;0x1200a9;;;BU)(A;OICIIO;GA;;;CO)";
    std::map<std::string, std::string> descriptors;
    bool bFixed = true;

    DescriptorRead Descriptor(const std::string& path, std::string& sddl) override
    {
        const auto it = descriptors.find(path);
        if (it == descriptors.end() && path.ends_with("Tolvi.cfg"))
            return DescriptorRead::Missing;
        sddl = it == descriptors.end() ? kAdminOnly : it->second;
        return DescriptorRead::Read;
    }
    std::string AccountName(const std::string& sid) override
    {
        const std::map<std::string, std::string> names = {
            {"AU", "Authenticated Users"}, {"BU", "Users"}, {"WD", "Everyone"}, {"S-1-5-21-7-7-7-1001", "PC\\ann"}};
        return names.count(sid) ? names.at(sid) : sid;
    }
    bool IsOnFixedDrive(const std::string&) override { return bFixed; }
};
