#pragma once

#include <cstdint>
#include <span>
#include <string>

class IFileSystem;

// Writes the bytes to a temporary file beside `path`, pushes them to disk and
// only then puts the file in the place of `path`. On failure `path` is left
// as it was and the temporary file is removed.
[[nodiscard]] bool WriteFileAtomically(IFileSystem& fileSystem, const std::string& path,
                                       std::span<const std::uint8_t> bytes);
