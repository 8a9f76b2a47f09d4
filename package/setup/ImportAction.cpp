// The installer's step that imports the file named by CONFIG. It runs the
// installed Tolvi.exe /import, so the file is read as Tolvi always reads
// it (all or nothing), and puts what Tolvi says into the installer's log,
// where a program the installer starts cannot write by itself.
#include "platform/win32/Handle.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <string>

namespace {

// What Tolvi may say about a file is a few lines; more is not read.
constexpr DWORD kMaximumOutput = 64 * 1024;

struct CapturedRun {
    bool bStarted = false;
    DWORD dwExitCode = 1;
    std::string output;
};

std::wstring Property(MSIHANDLE hInstall, const wchar_t* pszName)
{
    wchar_t szEmpty[1] = L"";
    DWORD nLength = 0;
    if (::MsiGetPropertyW(hInstall, pszName, szEmpty, &nLength) != ERROR_MORE_DATA)
        return {};
    std::wstring value(++nLength, L'\0');
    if (::MsiGetPropertyW(hInstall, pszName, value.data(), &nLength) != ERROR_SUCCESS)
        return {};
    value.resize(nLength);
    return value;
}

void Log(MSIHANDLE hInstall, const std::wstring& text, INSTALLMESSAGE kind)
{
    const MSIHANDLE hRecord = ::MsiCreateRecord(1);
    if (!hRecord)
        return;
    ::MsiRecordSetStringW(hRecord, 0, L"[1]");
    ::MsiRecordSetStringW(hRecord, 1, text.c_str());
    ::MsiProcessMessage(hInstall, kind, hRecord);
    ::MsiCloseHandle(hRecord);
}

// Runs the program hidden with its standard output and error in one pipe.
CapturedRun RunCaptured(std::wstring commandLine)
{
    CapturedRun run;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE hRead = nullptr, hWrite = nullptr;
    if (!::CreatePipe(&hRead, &hWrite, &inherit, 0))
        return run;
    const CHandle readEnd(hRead);
    CHandle writeEnd(hWrite);
    if (!::SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0))
        return run;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.Get();
    startup.hStdError = writeEnd.Get();
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &info))
        return run;
    const CHandle process(info.hProcess), thread(info.hThread);
    // Only the child holds the write end now, so reading ends when it does.
    writeEnd.Close();
    char buffer[4096];
    DWORD nRead = 0;
    while (::ReadFile(readEnd.Get(), buffer, sizeof buffer, &nRead, nullptr) && nRead > 0) {
        if (run.output.size() < kMaximumOutput)
            run.output.append(buffer, nRead);
    }
    ::WaitForSingleObject(process.Get(), INFINITE);
    ::GetExitCodeProcess(process.Get(), &run.dwExitCode);
    run.bStarted = true;
    return run;
}

} // namespace

// Deferred: the data is "<install folder>|<file>", set by the action before it.
extern "C" __declspec(dllexport) UINT __stdcall ImportConfiguration(MSIHANDLE hInstall)
{
    const std::wstring data = Property(hInstall, L"CustomActionData");
    const std::size_t bar = data.find(L'|');
    if (bar == std::wstring::npos)
        return ERROR_INSTALL_FAILURE;
    const std::wstring program = data.substr(0, bar) + L"Tolvi.exe";
    const std::wstring file = data.substr(bar + 1);
    const CapturedRun run = RunCaptured(L"\"" + program + L"\" /import \"" + file + L"\" /quiet");
    if (!run.bStarted) {
        Log(hInstall, L"Tolvi: " + program + L" could not be started to import " + file + L".",
            INSTALLMESSAGE(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR));
        return ERROR_INSTALL_FAILURE;
    }
    const std::wstring said = L"Tolvi: " + file + L": " + Wide(run.output);
    if (run.dwExitCode != 0) {
        Log(hInstall, said, INSTALLMESSAGE(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR));
        return ERROR_INSTALL_FAILURE;
    }
    Log(hInstall, said, INSTALLMESSAGE_INFO);
    return ERROR_SUCCESS;
}
