#pragma once

#include "platform/FileSystem.h"

// The file system of the machine the program runs on; posix/ and win32/
// each implement it.
class CSystemFileSystem final : public IFileSystem {
public:
    std::string ExecutableDirectory() override;
    std::string ProgramPath() override;
    std::string ProgramFilesDirectory() override;
    FileReadResult Read(const std::string& path, std::vector<std::uint8_t>& bytes) override;
    std::unique_ptr<IWritableFile> Create(const std::string& path) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
};
