#include "platform/win32/Win32Registry.h"

#include "platform/win32/WideText.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A key's name has at most 255 characters.
constexpr DWORD kKeyNameChars = 256;
// A value that keeps growing while it is read is given up on.
constexpr int kReadTries = 4;

bool IsText(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

LONG ReadValue(HKEY hKey, const wchar_t* pszName, DWORD& type, std::vector<BYTE>& data)
{
    DWORD cb = 0;
    LONG status = ::RegQueryValueExW(hKey, pszName, nullptr, &type, nullptr, &cb);
    for (int tries = 0; tries < kReadTries && status == ERROR_SUCCESS; ++tries) {
        data.resize(cb);
        status = ::RegQueryValueExW(hKey, pszName, nullptr, &type, data.data(), &cb);
        if (status == ERROR_SUCCESS) {
            data.resize(cb);
            return status;
        }
        if (status == ERROR_MORE_DATA)
            status = ERROR_SUCCESS; // it grew meanwhile
    }
    return status == ERROR_SUCCESS ? ERROR_MORE_DATA : status;
}

// As the registry gives data: the size is what the data needs, also when it
// does not fit; without a buffer only the size is asked for.
long Deliver(std::string_view data, void* pData, std::uint32_t& size)
{
    const std::uint32_t room = size;
    size = static_cast<std::uint32_t>(data.size());
    if (!pData)
        return reg::kSuccess;
    if (data.size() > room)
        return reg::kMoreData;
    if (!data.empty())
        std::memcpy(pData, data.data(), data.size());
    return reg::kSuccess;
}

class CWin32RegistryKey final : public IRegistryKey {
public:
    explicit CWin32RegistryKey(HKEY hKey) : m_hKey(hKey) {}
    CWin32RegistryKey(const CWin32RegistryKey&) = delete;
    CWin32RegistryKey& operator=(const CWin32RegistryKey&) = delete;
    ~CWin32RegistryKey() override { ::RegCloseKey(m_hKey); }

    long EnumSubkey(std::uint32_t index, char* pszName, std::uint32_t& length) override
    {
        wchar_t name[kKeyNameChars] = {};
        DWORD cch = kKeyNameChars;
        const LONG status = ::RegEnumKeyExW(m_hKey, index, name, &cch, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            return status;
        const std::string utf8 = Utf8(std::wstring_view(name, cch));
        if (utf8.size() >= length) {
            length = static_cast<std::uint32_t>(utf8.size() + 1);
            return reg::kMoreData;
        }
        std::memcpy(pszName, utf8.c_str(), utf8.size() + 1);
        length = static_cast<std::uint32_t>(utf8.size());
        return reg::kSuccess;
    }

    // Texts come as UTF-8 with their NULs where they were, so a reader of
    // REG_MULTI_SZ finds the same layout as in the registry.
    long QueryValue(const char* pszValue, void* pData, std::uint32_t& size) override
    {
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
        const LONG status = ReadValue(m_hKey, Wide(pszValue).c_str(), type, data);
        if (status != ERROR_SUCCESS)
            return status;
        if (!IsText(type))
            return Deliver({reinterpret_cast<const char*>(data.data()), data.size()}, pData, size);
        const std::wstring_view wide(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
        return Deliver(Utf8(wide), pData, size);
    }

    long SetString(const char* pszValue, const char* pszText) override
    {
        const std::wstring text = Wide(pszText);
        const auto cb = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        return ::RegSetValueExW(m_hKey, Wide(pszValue).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                cb);
    }

    long DeleteValue(const char* pszValue) override { return ::RegDeleteValueW(m_hKey, Wide(pszValue).c_str()); }

private:
    HKEY m_hKey;
};

} // namespace

std::unique_ptr<IRegistryKey> CWin32Registry::OpenLocalMachine(const char* pszPath, RegistryAccess access)
{
    HKEY hKey = nullptr;
    const REGSAM sam = access == RegistryAccess::Write ? KEY_READ | KEY_WRITE : KEY_READ;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(pszPath).c_str(), 0, sam, &hKey) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<CWin32RegistryKey>(hKey);
}
