#include "config/AtomicFile.h"

#include "platform/FileSystem.h"

bool WriteFileAtomically(IFileSystem& fileSystem, const std::string& path, std::span<const std::uint8_t> bytes)
{
    const std::string temporary = path + ".tmp";
    std::unique_ptr<IWritableFile> file = fileSystem.Create(temporary);
    if (!file)
        return false;
    bool ok = file->Write(bytes.data(), bytes.size());
    ok = ok && file->Flush();
    ok = file->Close() && ok;
    file.reset();
    ok = ok && fileSystem.Replace(temporary, path);
    if (!ok)
        fileSystem.Remove(temporary);
    return ok;
}
