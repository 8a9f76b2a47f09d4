#include "platform/win32/Win32StartupRegistration.h"

#include "platform/StartupTaskXml.h"
#include "platform/win32/Bstr.h"
#include "platform/win32/ComInitialization.h"
#include "platform/win32/ComPtr.h"

#include <windows.h>

#include <taskschd.h>

#include <string>

namespace {

constexpr char16_t kTaskName[] = u"Tolvi";
constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "Tolvi";
// taskschd.h names it, but defines it only in a library we do not link.
constexpr CLSID kTaskSchedulerClass = {0x0f87369f, 0xa4e5, 0x4cfc, {0xbd, 0x3e, 0x73, 0xe6, 0x15, 0x45, 0x72, 0xdd}};

enum class Removal { Removed, Absent, Failed };

// The running program's full path; empty when it does not fit, since a cut
// path would register a program that is not there.
std::string ProgramPath()
{
    char szPath[MAX_PATH] = {};
    const DWORD nLength = ::GetModuleFileNameA(nullptr, szPath, sizeof szPath);
    if (nLength == 0 || nLength >= sizeof szPath)
        return {};
    return std::string(szPath, nLength);
}

// Text in the system code page as UTF-16; empty when it is not valid there.
std::u16string Utf16OfAnsi(std::string_view text)
{
    if (text.empty())
        return {};
    const int nText = static_cast<int>(text.size());
    const int nWide = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), nText, nullptr, 0);
    if (nWide <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(nWide), L'\0');
    if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), nText, wide.data(), nWide) != nWide)
        return {};
    return std::u16string(wide.begin(), wide.end());
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

Removal RemoveRunValue()
{
    const LONG status = ::RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
    if (status == ERROR_SUCCESS)
        return Removal::Removed;
    return status == ERROR_FILE_NOT_FOUND ? Removal::Absent : Removal::Failed;
}

} // namespace

bool CWin32StartupRegistration::Register(std::string_view arguments)
{
    const std::u16string path = Utf16OfAnsi(ProgramPath());
    if (path.empty())
        return false;
    const CBstr xml(BuildStartupTaskXml(path, Utf16OfAnsi(arguments)));
    const CBstr name(kTaskName);
    {
        const CComInitialization com;
        if (!com || !xml || !name)
            return false;
        const CComPtr<ITaskFolder> folder = RootFolder();
        CComPtr<IRegisteredTask> task;
        // The interactive token of whoever logs on: no password is stored,
        // and the highest run level needs no consent prompt then.
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
