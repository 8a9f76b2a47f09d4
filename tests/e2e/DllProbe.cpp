// The Windows side of the test of a DLL planted beside Tolvi.exe.
//   tolvi_dll_probe load       loads iphlpapi.dll by its bare name, as a
//                              program that searches its own folder first
//   tolvi_dll_probe run EXE    starts EXE and closes each window it shows
//                              (a message box, then its main window) until
//                              it ends; fails unless "Tolvi v1.0" was one
#include "platform/win32/Handle.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr DWORD kEndWithinMs = 60000;

struct Closing {
    DWORD processId = 0;
    bool bSawMain = false;
};

BOOL CALLBACK CloseWindow(HWND hWnd, LPARAM lParam)
{
    auto& closing = *reinterpret_cast<Closing*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    if (processId != closing.processId || !::IsWindowVisible(hWnd))
        return TRUE;
    char title[32] = {};
    ::GetWindowTextA(hWnd, title, sizeof title);
    closing.bSawMain = closing.bSawMain || std::strcmp(title, "Tolvi v1.0") == 0;
    ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
    return TRUE;
}

int Run(const char* pszExe)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = std::string("\"") + pszExe + "\"";
    if (!::CreateProcessA(pszExe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        std::printf("cannot start %s\n", pszExe);
        return 1;
    }
    const CHandle process(info.hProcess);
    const CHandle thread(info.hThread);
    Closing closing{info.dwProcessId};
    for (DWORD waited = 0; ::WaitForSingleObject(process.Get(), 100) == WAIT_TIMEOUT; waited += 100) {
        if (waited >= kEndWithinMs) {
            ::TerminateProcess(process.Get(), 1);
            std::printf("%s did not end\n", pszExe);
            return 1;
        }
        ::EnumWindows(CloseWindow, reinterpret_cast<LPARAM>(&closing));
    }
    std::printf(closing.bSawMain ? "main window closed\n" : "no main window\n");
    return closing.bSawMain ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "load" && argc == 2)
        return ::LoadLibraryA("iphlpapi.dll") ? 0 : 1;
    if (verb == "run" && argc == 3)
        return Run(argv[2]);
    std::fprintf(stderr, "usage: tolvi_dll_probe load | run EXE\n");
    return 2;
}
