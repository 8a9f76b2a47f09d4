#include "platform/ProgramLocation.h"

#include "platform/FileSecurity.h"
#include "platform/SecurityDescriptor.h"

#include <vector>

namespace {

using namespace file_rights;

// What each place must not let others do: change the files, put a file
// beside them, or take away or replace a folder on the way to them.
constexpr std::uint32_t kFileChanges =
    kWriteData | kAppendData | kWriteAttributes | kWriteExtendedAttributes | kDelete | kWriteDac | kWriteOwner;
constexpr std::uint32_t kFolderChanges = kWriteData | kAppendData | kDeleteChild | kDelete | kWriteDac | kWriteOwner;
constexpr std::uint32_t kFolderAboveChanges = kDeleteChild | kDelete | kWriteDac | kWriteOwner;

struct Place {
    std::string path;
    std::uint32_t rights;
    bool bOptional; // may be missing
};

// The folder that holds the path; "C:\\" for what lies in a drive's root.
std::string FolderOf(const std::string& path)
{
    const std::size_t cut = path.find_last_of('\\');
    return path.substr(0, cut == 2 ? cut + 1 : cut);
}

bool IsRoot(const std::string& folder)
{
    return folder.size() == 3 && folder[1] == ':' && folder[2] == '\\';
}

// The folder itself first, as the place a user would mend, then the files,
// then every folder above it up to the drive's root. The path starts with
// a drive's root.
std::vector<Place> PlacesOf(const std::string& programPath, const std::string& configName)
{
    std::string folder = FolderOf(programPath);
    std::vector<Place> places{
        {folder, kFolderChanges, false},
        {programPath, kFileChanges, false},
        {programPath.substr(0, programPath.find_last_of('\\') + 1) + configName, kFileChanges, true}};
    while (!IsRoot(folder)) {
        folder = FolderOf(folder);
        places.push_back({folder, kFolderAboveChanges, false});
    }
    return places;
}

std::optional<std::string> FaultOf(IFileSecurity& security, const Place& place)
{
    std::string sddl;
    switch (security.Descriptor(place.path, sddl)) {
    case DescriptorRead::Missing:
        if (place.bOptional)
            return std::nullopt;
        [[fallthrough]];
    case DescriptorRead::Unreadable:
        return place.path + ": Tolvi cannot tell who can change it";
    case DescriptorRead::Read:
        break;
    }
    const std::optional<SecurityDescriptor> descriptor = ParseSecurityDescriptor(sddl);
    if (!descriptor)
        return place.path + ": Tolvi cannot tell who can change it";
    if (const std::optional<std::string> sid = OtherAccountAllowed(*descriptor, place.rights))
        return place.path + ": \"" + security.AccountName(*sid) + "\" can change it";
    return std::nullopt;
}

} // namespace

std::optional<std::string> FindLocationFault(IFileSecurity& security, const std::string& programPath,
                                             const std::string& configName)
{
    // A long path's prefix says nothing about who can change it.
    std::string path = programPath.starts_with("\\\\?\\") && programPath.size() > 6 && programPath[5] == ':'
                           ? programPath.substr(4)
                           : programPath;
    if (!(path.size() > 3 && path[1] == ':' && path[2] == '\\') || !security.IsOnFixedDrive(path))
        return path + ": it is on a network or removable drive, which this PC does not control";
    for (const Place& place : PlacesOf(path, configName))
        if (std::optional<std::string> fault = FaultOf(security, place))
            return fault;
    return std::nullopt;
}
