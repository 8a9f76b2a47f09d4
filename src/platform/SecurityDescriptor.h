#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One entry of a discretionary access control list.
struct AccessEntry {
    bool bAllow = false;
    // Passed on to what a folder holds, without applying to the folder.
    bool bInheritOnly = false;
    // Generic rights already mapped to a file's specific ones.
    std::uint32_t nRights = 0;
    // "S-1-..." or another alias of the text form, SYSTEM and
    // Administrators always spelled out.
    std::string sid;
};

// Who owns a file or folder, and who may do what to it.
struct SecurityDescriptor {
    std::string owner;
    // Without one (a NULL DACL) everyone may do everything.
    bool bHasDacl = false;
    std::vector<AccessEntry> entries;
};

namespace file_rights {
constexpr std::uint32_t kWriteData = 0x2;  // add a file, for a folder
constexpr std::uint32_t kAppendData = 0x4; // add a subfolder, for a folder
constexpr std::uint32_t kWriteExtendedAttributes = 0x10;
constexpr std::uint32_t kDeleteChild = 0x40;
constexpr std::uint32_t kWriteAttributes = 0x100;
constexpr std::uint32_t kDelete = 0x10000;
constexpr std::uint32_t kWriteDac = 0x40000;
constexpr std::uint32_t kWriteOwner = 0x80000;
} // namespace file_rights

constexpr char kSystemSid[] = "S-1-5-18";
constexpr char kAdministratorsSid[] = "S-1-5-32-544";
constexpr char kTrustedInstallerSid[] = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

// Reads the owner and the DACL from the text form of a descriptor (SDDL), as
// Windows writes it; none when it holds anything this does not read for
// certain, since a guess could let a stranger's entry pass.
std::optional<SecurityDescriptor> ParseSecurityDescriptor(std::string_view sddl);

// The first account other than SYSTEM, Administrators and TrustedInstaller
// that owns the object or is allowed one of `rights` on it; none when there
// is no such account. A NULL DACL names Everyone.
std::optional<std::string> OtherAccountAllowed(const SecurityDescriptor& descriptor, std::uint32_t rights);
