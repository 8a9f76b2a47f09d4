#include "platform/win32/Win32StartupRegistration.h"

#include "platform/StartupTaskXml.h"
#include "platform/win32/Bstr.h"
#include "platform/win32/ComInitialization.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/Handle.h"
#include "platform/win32/LocalMemory.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <sddl.h>
#include <taskschd.h>

#include <string>
#include <vector>

namespace {

constexpr char16_t kTaskName[] = u"Tolvi";
constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Tolvi";
// taskschd.h names it, but defines it only in a library we do not link.
constexpr CLSID kTaskSchedulerClass = {0x0f87369f, 0xa4e5, 0x4cfc, {0xbd, 0x3e, 0x73, 0xe6, 0x15, 0x45, 0x72, 0xdd}};

enum class Removal { Removed, Absent, Failed };

// The SID of the account this process runs for, as "S-1-..."; empty when
// it cannot be read.
std::u16string AccountSid()
{
    HANDLE hToken = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &hToken))
        return {};
    const CHandle token(hToken);
    DWORD nSize = 0;
    ::GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &nSize);
    std::vector<unsigned char> buffer(nSize);
    CLocalMemory<wchar_t> sid;
    if (nSize == 0 || !::GetTokenInformation(token.Get(), TokenUser, buffer.data(), nSize, &nSize) ||
        !::ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid, sid.Put()))
        return {};
    return std::u16string(sid.Get(), sid.Get() + ::lstrlenW(sid.Get()));
}

// SYSTEM, LocalService and NetworkService are no user's.
bool IsUsersSid(const std::u16string& sid)
{
    return !sid.empty() && sid != u"S-1-5-18" && sid != u"S-1-5-19" && sid != u"S-1-5-20";
}

VARIANT Empty()
{
    VARIANT empty;
    ::VariantInit(&empty);
    return empty;
}

// The scheduler's root folder on this machine; empty when it cannot be had.
CComPtr<ITaskFolder> RootFolder()
{
    CComPtr<ITaskService> service;
    if (FAILED(::CoCreateInstance(kTaskSchedulerClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(ITaskService),
                                  service.PutVoid())) ||
        FAILED(service->Connect(Empty(), Empty(), Empty(), Empty())))
        return {};
    const CBstr root(u"\\");
    CComPtr<ITaskFolder> folder;
    if (!root || FAILED(service->GetFolder(root.Get(), folder.Put())))
        return {};
    return folder;
}

bool IsNotFound(HRESULT hr)
{
    return hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || hr == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
}

Removal RemoveTask()
{
    const CComInitialization com;
    if (!com)
        return Removal::Failed;
    const CComPtr<ITaskFolder> folder = RootFolder();
    const CBstr name(kTaskName);
    if (!folder || !name)
        return Removal::Failed;
    CComPtr<IRegisteredTask> task;
    const HRESULT hr = folder->GetTask(name.Get(), task.Put());
    if (IsNotFound(hr))
        return Removal::Absent;
    if (FAILED(hr))
        return Removal::Failed;
    return SUCCEEDED(folder->DeleteTask(name.Get(), 0)) ? Removal::Removed : Removal::Failed;
}

bool WriteRunValue(const std::string& programPath, std::string_view arguments)
{
    std::wstring command = L"\"" + Wide(programPath) + L"\"";
    if (!arguments.empty())
        command += L" " + Wide(arguments);
    const auto nBytes = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
    return ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, REG_SZ, command.c_str(), nBytes) == ERROR_SUCCESS;
}

Removal RemoveRunValue()
{
    const LONG status = ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
    if (status == ERROR_SUCCESS)
        return Removal::Removed;
    return status == ERROR_FILE_NOT_FOUND ? Removal::Absent : Removal::Failed;
}

} // namespace

bool CWin32StartupRegistration::RunsForAUser()
{
    // The Run key starts the program for whoever logs on, whoever wrote it.
    return m_bInstalled || IsUsersSid(AccountSid());
}

bool CWin32StartupRegistration::Register(const std::string& programPath, std::string_view arguments)
{
    if (m_bInstalled)
        return WriteRunValue(programPath, arguments) && RemoveTask() != Removal::Failed;

    const std::wstring path = Wide(programPath);
    const std::wstring wideArguments = Wide(arguments);
    const std::u16string sid = AccountSid();
    if (path.empty() || !IsUsersSid(sid))
        return false;
    const CBstr xml(BuildStartupTaskXml(std::u16string(path.begin(), path.end()),
                                        std::u16string(wideArguments.begin(), wideArguments.end()), sid));
    const CBstr name(kTaskName);
    {
        const CComInitialization com;
        if (!com || !xml || !name)
            return false;
        const CComPtr<ITaskFolder> folder = RootFolder();
        CComPtr<IRegisteredTask> task;
        // The interactive token of the user the task names: no password is
        // stored, and the highest run level needs no consent prompt then.
        if (!folder || FAILED(folder->RegisterTask(name.Get(), xml.Get(), TASK_CREATE_OR_UPDATE, Empty(), Empty(),
                                                   TASK_LOGON_INTERACTIVE_TOKEN, Empty(), task.Put())))
            return false;
    }
    return RemoveRunValue() != Removal::Failed;
}

UnregisterResult CWin32StartupRegistration::Unregister()
{
    const Removal task = RemoveTask();
    const Removal value = RemoveRunValue();
    if (task == Removal::Failed || value == Removal::Failed)
        return UnregisterResult::Failed;
    return task == Removal::Removed || value == Removal::Removed ? UnregisterResult::Done
                                                                 : UnregisterResult::NotRegistered;
}
