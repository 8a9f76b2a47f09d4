#pragma once

#include "platform/FileSystem.h"

// Passes every call to another file system; test doubles override the calls
// they change.
class CForwardingFileSystem : public IFileSystem {
public:
    explicit CForwardingFileSystem(IFileSystem& inner) : m_inner(inner) {}

    std::string ExecutableDirectory() override { return m_inner.ExecutableDirectory(); }
    std::string ProgramPath() override { return m_inner.ProgramPath(); }
    std::string ProgramFilesDirectory() override { return m_inner.ProgramFilesDirectory(); }
    FileReadResult Read(const std::string& path, std::vector<std::uint8_t>& bytes) override
    {
        return m_inner.Read(path, bytes);
    }
    std::unique_ptr<IWritableFile> Create(const std::string& path) override { return m_inner.Create(path); }
    bool Replace(const std::string& from, const std::string& to) override { return m_inner.Replace(from, to); }
    bool Remove(const std::string& path) override { return m_inner.Remove(path); }
    bool CreateFolder(const std::string& path) override { return m_inner.CreateFolder(path); }

protected:
    IFileSystem& m_inner;
};

// Puts the executable in a folder of the test's choosing.
class CRelocatedFileSystem final : public CForwardingFileSystem {
public:
    CRelocatedFileSystem(IFileSystem& inner, std::string directory)
        : CForwardingFileSystem(inner), m_directory(std::move(directory))
    {
    }
    std::string ExecutableDirectory() override { return m_directory; }
    std::string ProgramPath() override { return m_directory + "Tolvi.exe"; }

private:
    std::string m_directory;
};
