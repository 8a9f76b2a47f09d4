#include "platform/win32/Win32Elevation.h"

#include "platform/win32/Handle.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

bool CWin32Elevation::IsAdministrator()
{
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD nSize = sizeof sid;
    BOOL bMember = FALSE;
    // With no token given, the check looks at the thread's or the process's
    // own, where a deny-only group does not count.
    return ::CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sid, &nSize) &&
           ::CheckTokenMembership(nullptr, sid, &bMember) && bMember;
}

std::optional<std::uint32_t> CWin32Elevation::RunElevated(const std::string& arguments, bool bWait)
{
    // A program started so that still has no rights (where "runas" cannot
    // elevate) would start another, and so on; it refuses instead.
    constexpr wchar_t kStartedElevated[] = L"TOLVI_STARTED_ELEVATED";
    if (::GetEnvironmentVariableW(kStartedElevated, nullptr, 0) != 0)
        return std::nullopt;
    ::SetEnvironmentVariableW(kStartedElevated, L"1");
    const std::wstring path = Wide(m_files.ProgramPath());
    if (path.empty())
        return std::nullopt;
    const std::wstring parameters = Wide(arguments);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
    info.lpVerb = L"runas";
    info.lpFile = path.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!::ShellExecuteExW(&info))
        return std::nullopt;
    const CHandle process(info.hProcess);
    if (!bWait || !process)
        return 0;
    DWORD dwExitCode = 1;
    ::WaitForSingleObject(process.Get(), INFINITE);
    ::GetExitCodeProcess(process.Get(), &dwExitCode);
    return dwExitCode;
}
