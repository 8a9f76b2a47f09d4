#include "platform/SystemFileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd) : m_fd(fd) {}
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    ~CFileDescriptor() { Close(); }

    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    bool Close()
    {
        if (m_fd < 0)
            return true;
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Root may open anything for writing; a file without its owner's write bit
// counts as read-only all the same, as it does on Windows.
bool IsWritableFile(const struct stat& st)
{
    return S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) != 0;
}

class CPosixWritableFile final : public IWritableFile {
public:
    explicit CPosixWritableFile(int fd) : m_fd(fd) {}

    bool Write(const void* pData, std::size_t nSize) override
    {
        const auto* p = static_cast<const unsigned char*>(pData);
        while (nSize > 0) {
            const ssize_t n = ::write(m_fd.Get(), p, nSize);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            p += n;
            nSize -= static_cast<std::size_t>(n);
        }
        return true;
    }
    bool Flush() override { return ::fsync(m_fd.Get()) == 0; }
    bool Close() override { return m_fd.Close(); }

private:
    CFileDescriptor m_fd;
};

} // namespace

std::string CSystemFileSystem::ExecutableDirectory()
{
    std::string result = ProgramPath();
    result.erase(result.empty() ? 0 : result.find_last_of('/') + 1);
    return result;
}

std::string CSystemFileSystem::ProgramPath()
{
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
    return n <= 0 ? std::string() : std::string(path, static_cast<std::size_t>(n));
}

std::string CSystemFileSystem::ProgramFilesDirectory()
{
    return {};
}

FileReadResult CSystemFileSystem::Read(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    bytes.clear();
    CFileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.IsOpen())
        return errno == ENOENT ? FileReadResult::Missing : FileReadResult::Unopenable;
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode))
        return FileReadResult::Unopenable;
    bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FileReadResult::Unopenable;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return IsWritableFile(st) ? FileReadResult::Read : FileReadResult::ReadOnly;
}

std::unique_ptr<IWritableFile> CSystemFileSystem::Create(const std::string& path)
{
    // Never through a link someone left in the temporary file's place.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
        return nullptr;
    return std::make_unique<CPosixWritableFile>(fd);
}

bool CSystemFileSystem::Replace(const std::string& from, const std::string& to)
{
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0 && !IsWritableFile(st))
        return false;
    if (::rename(from.c_str(), to.c_str()) != 0)
        return false;
    // The rename is durable only once the folder entry is on disk too.
    const auto slash = to.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : to.substr(0, slash + 1);
    CFileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.IsOpen())
        ::fsync(dir.Get());
    return true;
}

bool CSystemFileSystem::Remove(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

bool CSystemFileSystem::CreateFolder(const std::string& path)
{
    struct stat st {};
    return ::mkdir(path.c_str(), 0755) == 0 || (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
}
