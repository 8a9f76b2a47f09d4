#pragma once

#include <cstdint>
#include <memory>

// Status values as the system's registry calls return them.
namespace reg {
constexpr long kSuccess = 0;
constexpr long kFileNotFound = 2;
constexpr long kMoreData = 234;
constexpr long kNoMoreItems = 259;
} // namespace reg

enum class RegistryAccess { Read, Write };

// An open key; closed when dropped. Names and texts are UTF-8.
class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;

    // Name of subkey `index`. `length` is the buffer's size in bytes,
    // terminator included, and comes back as the name's length, or as the
    // size needed when it does not fit.
    virtual long EnumSubkey(std::uint32_t index, char* pszName, std::uint32_t& length) = 0;

    // Raw value data of any type. `size` is the buffer's size and comes back
    // as the data's; the data need not end in a terminator. Texts (REG_SZ,
    // REG_EXPAND_SZ, REG_MULTI_SZ) come as UTF-8 with their NULs in place, and
    // their size is that of the UTF-8.
    virtual long QueryValue(const char* pszValue, void* pData, std::uint32_t& size) = 0;

    virtual long SetString(const char* pszValue, const char* pszText) = 0;
    virtual long DeleteValue(const char* pszValue) = 0;
};

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // A key under HKEY_LOCAL_MACHINE; empty when it cannot be opened.
    virtual std::unique_ptr<IRegistryKey> OpenLocalMachine(const char* pszPath, RegistryAccess access) = 0;
};
