#include "platform/win32/Win32ProcessRunner.h"

#include <windows.h>

#include <shellapi.h>

std::string CWin32ProcessRunner::SystemDirectory()
{
    char path[MAX_PATH + 1] = {};
    const UINT n = ::GetSystemDirectoryA(path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return {};
    std::string folder(path, n);
    if (folder.back() == '\\')
        folder.pop_back();
    return folder;
}

CHandle StartHiddenProcess(const std::string& file, const std::string& parameters)
{
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_HIDE;
    return ::ShellExecuteExA(&info) ? CHandle(info.hProcess) : CHandle();
}

bool CWin32ProcessRunner::RunHidden(const std::string& file, const std::string& parameters, IMessagePump& pump)
{
    const CHandle process = StartHiddenProcess(file, parameters);
    if (!process)
        return false;

    const HANDLE handles[] = {process.Get()};
    for (;;) {
        const DWORD woken = ::MsgWaitForMultipleObjectsEx(1, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken != WAIT_OBJECT_0 + 1)
            break; // ended, or the handle is no longer waitable
        pump.HandleWaiting();
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) {
            // The thread is ending; its quit message stays queued for its own
            // loop, so waiting for input would only spin.
            ::WaitForSingleObject(process.Get(), INFINITE);
            break;
        }
    }
    return true;
}
