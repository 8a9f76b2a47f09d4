#include "platform/win32/Win32ProcessRunner.h"

#include "platform/win32/WideText.h"

#include <windows.h>

#include <string>
#include <thread>

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

// A job that ends whatever it holds when its last handle closes.
CHandle KillingJob()
{
    CHandle job(::CreateJobObjectW(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (job && !::SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits))
        job.Close();
    return job;
}

class CWin32HiddenProcess final : public IHiddenProcess {
public:
    explicit CWin32HiddenProcess(HiddenProcess child)
        : m_child(std::move(child)), m_reader([this] { m_raw = ReadAll(m_child.output.Get()); })
    {
    }
    CWin32HiddenProcess(const CWin32HiddenProcess&) = delete;
    CWin32HiddenProcess& operator=(const CWin32HiddenProcess&) = delete;
    ~CWin32HiddenProcess() override
    {
        Terminate();
        Join();
    }

    bool Wait(IMessagePump& pump, std::uint32_t ms) override
    {
        const HANDLE handles[] = {m_child.process.Get()};
        MSG msg;
        // A thread that is ending keeps its quit message queued for its own
        // loop, so waiting for input as well would only spin.
        if (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
            return ::WaitForSingleObject(handles[0], ms) != WAIT_TIMEOUT;
        const DWORD woken = ::MsgWaitForMultipleObjectsEx(1, handles, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0 + 1)
            pump.HandleWaiting();
        return woken != WAIT_TIMEOUT && woken != WAIT_OBJECT_0 + 1;
    }

    void Terminate() override
    {
        if (m_child.job)
            ::TerminateJobObject(m_child.job.Get(), 1);
        else
            ::TerminateProcess(m_child.process.Get(), 1);
        ::WaitForSingleObject(m_child.process.Get(), 5000);
    }

    ProcessResult Result() override
    {
        Join();
        DWORD exitCode = 0;
        ::GetExitCodeProcess(m_child.process.Get(), &exitCode);
        return {true, exitCode, OemToUtf8(m_raw), false};
    }

private:
    // The pipe ends when every writer has closed it, the program's children
    // with it.
    void Join()
    {
        if (m_reader.joinable())
            m_reader.join();
    }

    HiddenProcess m_child;
    std::string m_raw;
    std::thread m_reader;
};

} // namespace

std::string CWin32ProcessRunner::SystemDirectory()
{
    wchar_t path[MAX_PATH + 1] = {};
    const UINT n = ::GetSystemDirectoryW(path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return {};
    std::string folder = Utf8(std::wstring_view(path, n));
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

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdOutput = childOutput.Get();
    startup.hStdError = childOutput.Get();
    std::string commandLine = "\"" + file + "\"";
    if (!parameters.empty())
        commandLine += " " + parameters;
    // Wide, so that a name outside the system's code page reaches the
    // program whole; the call may write into the command line.
    std::wstring writable = Wide(commandLine);
    PROCESS_INFORMATION info{};
    // No console window flashes up for a console program such as netsh. It
    // starts suspended, so that nothing it starts escapes the job.
    if (!::CreateProcessW(Wide(file).c_str(), writable.data(), nullptr, nullptr, TRUE,
                          CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr, nullptr, &startup, &info))
        return {};
    CHandle process(info.hProcess);
    const CHandle thread(info.hThread);
    CHandle job = KillingJob();
    if (job && !::AssignProcessToJobObject(job.Get(), process.Get()))
        job.Close();
    ::ResumeThread(thread.Get());
    return {std::move(process), std::move(job), std::move(output)};
}

std::unique_ptr<IHiddenProcess> CWin32ProcessRunner::StartHidden(const std::string& file, const std::string& parameters)
{
    HiddenProcess child = StartHiddenProcess(file, parameters);
    if (!child.process)
        return nullptr;
    return std::make_unique<CWin32HiddenProcess>(std::move(child));
}

std::string OemToUtf8(const std::string& text)
{
    return Utf8OfCodePage(CP_OEMCP, text);
}
