#include "platform/win32/SystemLibrary.h"

#include "platform/win32/WideText.h"

#include <string>

namespace {

// Looked up, not imported: Vista and 7 without update KB2533623 lack it, and
// an import would keep Tolvi from starting there at all.
using SetDefaultDllDirectoriesFunction = BOOL WINAPI(DWORD);

} // namespace

CSystemLibrary::CSystemLibrary(const char* pszName)
{
    const std::wstring name = Wide(pszName);
    m_hModule = ::LoadLibraryExW(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (m_hModule || ::GetLastError() != ERROR_INVALID_PARAMETER)
        return;
    // A system without that flag: the full path, whose own imports are then
    // searched for beside it first.
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    m_hModule = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

CSystemLibrary::~CSystemLibrary()
{
    if (m_hModule)
        ::FreeLibrary(m_hModule);
}

void CSystemLibrary::RestrictSearch()
{
    const auto setDefault =
        Lookup<SetDefaultDllDirectoriesFunction>(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // At least the working folder drops out of the search.
    ::SetDllDirectoryW(L"");
}
