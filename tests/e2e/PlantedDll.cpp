// Planted as iphlpapi.dll beside a copy of Tolvi.exe: every program that
// loads it appends its own path to loaded-by.txt beside it. It exports what
// Tolvi used to import, so that an import of it would load it.
#include "platform/win32/Handle.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

extern "C" __declspec(dllexport) DWORD WINAPI GetAdaptersInfo(void*, ULONG*)
{
    return ERROR_NOT_SUPPORTED;
}

BOOL WINAPI DllMain(HINSTANCE hModule, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char log[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(hModule, log, sizeof log);
    char* pszName = std::strrchr(log, '\\');
    if (length == 0 || length >= sizeof log || !pszName)
        return TRUE;
    const auto room = static_cast<std::size_t>(log + sizeof log - (pszName + 1));
    if (std::snprintf(pszName + 1, room, "loaded-by.txt") >= static_cast<int>(room))
        return TRUE;
    char line[MAX_PATH + 1] = {};
    const DWORD used = ::GetModuleFileNameA(nullptr, line, MAX_PATH);
    line[used] = '\n';
    const CHandle file(::CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file)
        ::WriteFile(file.Get(), line, used + 1, &written, nullptr);
    return TRUE;
}
