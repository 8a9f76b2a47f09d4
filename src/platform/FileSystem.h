#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A file being written. Closing is explicit so that its failure is seen;
// dropping an open file closes it and ignores the outcome.
class IWritableFile {
public:
    virtual ~IWritableFile() = default;
    [[nodiscard]] virtual bool Write(const void* pData, std::size_t nSize) = 0;
    // Pushes the data through to the disk, not only out of the process.
    [[nodiscard]] virtual bool Flush() = 0;
    [[nodiscard]] virtual bool Close() = 0;
};

enum class FileReadResult {
    Read,
    // Read, but the file may not be written: its read-only attribute is set.
    ReadOnly,
    Missing,
    // The file is there but cannot be read: held by another program, denied,
    // or a folder.
    Unopenable,
};

// Paths are UTF-8.
class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    // The running executable's folder, ending in its separator; empty when
    // it cannot be found.
    virtual std::string ExecutableDirectory() = 0;
    // The running executable's full path; empty when it cannot be found.
    virtual std::string ProgramPath() = 0;
    // The machine's folder for the programs of all users, ending in its
    // separator; empty where there is none.
    virtual std::string ProgramFilesDirectory() = 0;

    // Reads a whole existing file.
    virtual FileReadResult Read(const std::string& path, std::vector<std::uint8_t>& bytes) = 0;

    // Creates the file or empties an existing one.
    virtual std::unique_ptr<IWritableFile> Create(const std::string& path) = 0;

    // Puts `from` in the place of `to` in one step; fails, leaving both as they
    // were, when `to` is read-only or not a file, or is still held by another
    // program after about two seconds.
    [[nodiscard]] virtual bool Replace(const std::string& from, const std::string& to) = 0;

    virtual bool Remove(const std::string& path) = 0;

    // Makes the folder when it is not there yet; false when there is still
    // no folder of that name.
    virtual bool CreateFolder(const std::string& path) = 0;
};
