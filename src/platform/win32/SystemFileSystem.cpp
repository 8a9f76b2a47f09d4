#include "platform/SystemFileSystem.h"

#include "platform/win32/Handle.h"
#include "platform/win32/WideText.h"

#include <shlobj.h>

#include <algorithm>
#include <limits>

namespace {

constexpr DWORD kReplaceRetryMs = 2000;
constexpr DWORD kReplaceRetryPauseMs = 50;
// Beyond this the plain form of a path fails in some calls (CreateDirectoryW
// keeps room for a file name of 8.3 characters).
constexpr std::size_t kPlainPathLimit = MAX_PATH - 12;

// FOLDERID_ProgramFiles, without the library that defines every known GUID.
constexpr KNOWNFOLDERID kProgramFilesFolder = {
    0x905e63b6, 0xc1bf, 0x494e, {0xb2, 0x9c, 0x65, 0xb7, 0x32, 0xd3, 0xd2, 0x1a}};

class CWin32WritableFile final : public IWritableFile {
public:
    explicit CWin32WritableFile(CHandle file) : m_file(std::move(file)) {}

    bool Write(const void* pData, std::size_t nSize) override
    {
        const auto* p = static_cast<const unsigned char*>(pData);
        while (nSize > 0) {
            const DWORD chunk = nSize > (1u << 30) ? (1u << 30) : static_cast<DWORD>(nSize);
            DWORD written = 0;
            if (!::WriteFile(m_file.Get(), p, chunk, &written, nullptr) || written == 0)
                return false;
            p += written;
            nSize -= written;
        }
        return true;
    }
    bool Flush() override { return ::FlushFileBuffers(m_file.Get()) != FALSE; }
    bool Close() override { return m_file.Close(); }

private:
    CHandle m_file;
};

// A path as the wide file calls take it: a long full one in the extended
// form, which they take up to 32,767 characters long. That form skips the
// system's clean-up of the path, so one with "." or ".." parts stays plain.
std::wstring FilePath(const std::string& path)
{
    std::wstring wide = Wide(path);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    const bool bDrive = wide.size() > 2 && wide[1] == L':' && wide[2] == L'\\';
    const bool bShare = wide.starts_with(L"\\\\") && !wide.starts_with(L"\\\\?\\") && !wide.starts_with(L"\\\\.\\");
    if (wide.size() < kPlainPathLimit || (!bDrive && !bShare) || wide.find(L"\\.") != std::wstring::npos)
        return wide;
    return bDrive ? L"\\\\?\\" + wide : L"\\\\?\\UNC" + wide.substr(1);
}

} // namespace

std::string CSystemFileSystem::ExecutableDirectory()
{
    std::string path = ProgramPath();
    const auto sep = path.find_last_of("\\/:");
    path.erase(sep == std::string::npos ? 0 : sep + 1);
    return path;
}

std::string CSystemFileSystem::ProgramPath()
{
    // A path longer than the buffer is cut, so it grows until the whole path
    // fits, up to the longest path the wide calls take.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            return Utf8(path);
        }
        if (path.size() >= 32768)
            return {};
        path.resize(path.size() * 2);
    }
}

std::string CSystemFileSystem::ProgramFilesDirectory()
{
    // The known folder, not %ProgramFiles%, which a user's environment may
    // point elsewhere.
    PWSTR pszFolder = nullptr;
    std::string folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(kProgramFilesFolder, KF_FLAG_DEFAULT, nullptr, &pszFolder)))
        folder = Utf8(pszFolder);
    ::CoTaskMemFree(pszFolder);
    return folder.empty() ? folder : folder + "\\";
}

FileReadResult CSystemFileSystem::Read(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    bytes.clear();
    // No writer may change it halfway through the read.
    CHandle file(::CreateFileW(FilePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileReadResult::Missing
                                                                              : FileReadResult::Unopenable;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.Get(), &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FileReadResult::Unopenable;
    const unsigned long long size = (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size > std::numeric_limits<std::size_t>::max())
        return FileReadResult::Unopenable;
    bytes.resize(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!::ReadFile(file.Get(), bytes.data() + done, chunk, &got, nullptr))
            return FileReadResult::Unopenable;
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    return info.dwFileAttributes & FILE_ATTRIBUTE_READONLY ? FileReadResult::ReadOnly : FileReadResult::Read;
}

std::unique_ptr<IWritableFile> CSystemFileSystem::Create(const std::string& path)
{
    CHandle file(::CreateFileW(FilePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr));
    if (!file)
        return nullptr;
    return std::make_unique<CWin32WritableFile>(std::move(file));
}

bool CSystemFileSystem::Replace(const std::string& from, const std::string& to)
{
    // Windows refuses a read-only target by itself; Wine running as root
    // does not.
    const std::wstring wideFrom = FilePath(from), wideTo = FilePath(to);
    const DWORD attributes = ::GetFileAttributesW(wideTo.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    // A scanner or an indexer opens a file it has just seen for a moment;
    // a read-only target was refused above and is never waited for.
    const DWORD start = ::GetTickCount();
    while (!::MoveFileExW(wideFrom.c_str(), wideTo.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = ::GetLastError();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION && error != ERROR_ACCESS_DENIED) ||
            ::GetTickCount() - start >= kReplaceRetryMs)
            return false;
        ::Sleep(kReplaceRetryPauseMs);
    }
    return true;
}

bool CSystemFileSystem::Remove(const std::string& path)
{
    return ::DeleteFileW(FilePath(path).c_str()) != FALSE;
}

bool CSystemFileSystem::CreateFolder(const std::string& path)
{
    // Made without a descriptor of its own: it takes its parent's entries.
    const std::wstring wide = FilePath(path);
    if (::CreateDirectoryW(wide.c_str(), nullptr))
        return true;
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
