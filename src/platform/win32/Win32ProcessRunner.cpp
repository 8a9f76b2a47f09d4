#include "platform/win32/Win32ProcessRunner.h"

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace {

// Reads the pipe until every writer has closed it.
std::string ReadAll(HANDLE hPipe)
{
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(hPipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    return text;
}

void WaitPumping(HANDLE hProcess, IMessagePump& pump)
{
    const HANDLE handles[] = {hProcess};
    for (;;) {
        const DWORD woken = ::MsgWaitForMultipleObjectsEx(1, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken != WAIT_OBJECT_0 + 1)
            return; // ended, or the handle is no longer waitable
        pump.HandleWaiting();
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) {
            // The thread is ending; its quit message stays queued for its own
            // loop, so waiting for input would only spin.
            ::WaitForSingleObject(hProcess, INFINITE);
            return;
        }
    }
}

} // namespace

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

HiddenProcess StartHiddenProcess(const std::string& file, const std::string& parameters)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE hRead = nullptr, hWrite = nullptr;
    if (!::CreatePipe(&hRead, &hWrite, &inheritable, 0))
        return {};
    CHandle output(hRead);
    const CHandle childOutput(hWrite);
    // Only the child's end is handed down.
    ::SetHandleInformation(output.Get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdOutput = childOutput.Get();
    startup.hStdError = childOutput.Get();
    std::string commandLine = "\"" + file + "\"";
    if (!parameters.empty())
        commandLine += " " + parameters;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    PROCESS_INFORMATION info{};
    // No console window flashes up for a console program such as netsh.
    if (!::CreateProcessA(file.c_str(), writable.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &info))
        return {};
    ::CloseHandle(info.hThread);
    return {CHandle(info.hProcess), std::move(output)};
}

ProcessResult CWin32ProcessRunner::RunHidden(const std::string& file, const std::string& parameters, IMessagePump& pump)
{
    HiddenProcess child = StartHiddenProcess(file, parameters);
    if (!child.process)
        return {};
    std::string raw;
    // A child that prints more than the pipe holds would wait for a reader.
    std::thread reader([&raw, hPipe = child.output.Get()] { raw = ReadAll(hPipe); });
    WaitPumping(child.process.Get(), pump);
    reader.join();
    DWORD exitCode = 0;
    ::GetExitCodeProcess(child.process.Get(), &exitCode);
    return {true, exitCode, OemToAnsi(raw)};
}

std::string OemToAnsi(const std::string& text)
{
    if (text.empty())
        return text;
    const int nWide = ::MultiByteToWideChar(CP_OEMCP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(nWide), L'\0');
    ::MultiByteToWideChar(CP_OEMCP, 0, text.data(), static_cast<int>(text.size()), wide.data(), nWide);
    const int nAnsi = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), nWide, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(nAnsi), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), nWide, ansi.data(), nAnsi, nullptr, nullptr);
    return ansi;
}
