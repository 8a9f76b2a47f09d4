#include "platform/win32/SystemLibrary.h"

#include <cstdio>

namespace {

// Looked up, not imported: Vista and 7 without update KB2533623 lack it, and
// an import would keep Tolvi from starting there at all.
using SetDefaultDllDirectoriesFunction = BOOL WINAPI(DWORD);

} // namespace

CSystemLibrary::CSystemLibrary(const char* pszName)
{
    m_hModule = ::LoadLibraryExA(pszName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (m_hModule || ::GetLastError() != ERROR_INVALID_PARAMETER)
        return;
    // A system without that flag: the full path, whose own imports are then
    // searched for beside it first.
    char path[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return;
    const int written = std::snprintf(path + length, sizeof path - length, "\\%s", pszName);
    if (written > 0 && static_cast<unsigned>(written) < sizeof path - length)
        m_hModule = ::LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

CSystemLibrary::~CSystemLibrary()
{
    if (m_hModule)
        ::FreeLibrary(m_hModule);
}

void CSystemLibrary::RestrictSearch()
{
    const auto setDefault =
        Lookup<SetDefaultDllDirectoriesFunction>(::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // At least the working folder drops out of the search.
    ::SetDllDirectoryA("");
}
