#include "platform/win32/Win32FileSecurity.h"

#include "platform/win32/LocalMemory.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <vector>

DescriptorRead CWin32FileSecurity::Descriptor(const std::string& path, std::string& sddl)
{
    const std::wstring wide = Wide(path);
    if (wide.empty())
        return DescriptorRead::Unreadable;
    constexpr SECURITY_INFORMATION kWanted = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    CLocalMemory<void> descriptor;
    const DWORD status = ::GetNamedSecurityInfoW(wide.c_str(), SE_FILE_OBJECT, kWanted, nullptr, nullptr, nullptr,
                                                 nullptr, descriptor.Put());
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND)
        return DescriptorRead::Missing;
    CLocalMemory<wchar_t> text;
    if (status != ERROR_SUCCESS || !::ConvertSecurityDescriptorToStringSecurityDescriptorW(
                                       descriptor.Get(), SDDL_REVISION_1, kWanted, text.Put(), nullptr))
        return DescriptorRead::Unreadable;
    // The text form is ASCII: SIDs, aliases and hexadecimal rights.
    sddl.clear();
    for (const wchar_t* p = text.Get(); *p; ++p)
        sddl += *p < 0x80 ? static_cast<char>(*p) : '?';
    return DescriptorRead::Read;
}

std::string CWin32FileSecurity::AccountName(const std::string& sid)
{
    CLocalMemory<void> binary;
    if (!::ConvertStringSidToSidW(Wide(sid).c_str(), binary.Put()))
        return sid;
    wchar_t name[256] = {};
    wchar_t domain[256] = {};
    DWORD nName = ARRAYSIZE(name), nDomain = ARRAYSIZE(domain);
    SID_NAME_USE use{};
    if (!::LookupAccountSidW(nullptr, binary.Get(), name, &nName, domain, &nDomain, &use) || !name[0])
        return sid;
    // A user of a domain or of another PC needs the domain to be told apart.
    std::wstring shown = use == SidTypeUser && domain[0] ? std::wstring(domain) + L"\\" + name : std::wstring(name);
    const std::string utf8 = Utf8(shown);
    return utf8.empty() ? sid : utf8;
}

bool CWin32FileSecurity::IsOnFixedDrive(const std::string& path)
{
    const std::wstring wide = Wide(path);
    // The volume holding the path, also where a folder is a mounted drive.
    std::vector<wchar_t> root(std::max<std::size_t>(wide.size() + 2, MAX_PATH + 1));
    if (wide.empty() || !::GetVolumePathNameW(wide.c_str(), root.data(), static_cast<DWORD>(root.size())))
        return false;
    return ::GetDriveTypeW(root.data()) == DRIVE_FIXED;
}
