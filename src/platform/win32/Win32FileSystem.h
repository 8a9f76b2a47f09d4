#pragma once

#include "platform/FileSystem.h"

class CWin32FileSystem final : public IFileSystem {
public:
    std::string ExecutableDirectory() override;
    FileReadResult Read(const std::string& path, std::vector<std::uint8_t>& bytes) override;
    std::unique_ptr<IWritableFile> Create(const std::string& path) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
};
