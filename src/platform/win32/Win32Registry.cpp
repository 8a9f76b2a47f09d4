#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <cstring>

namespace {

class CWin32RegistryKey final : public IRegistryKey {
public:
    explicit CWin32RegistryKey(HKEY hKey) : m_hKey(hKey) {}
    CWin32RegistryKey(const CWin32RegistryKey&) = delete;
    CWin32RegistryKey& operator=(const CWin32RegistryKey&) = delete;
    ~CWin32RegistryKey() override { ::RegCloseKey(m_hKey); }

    long EnumSubkey(std::uint32_t index, char* pszName, std::uint32_t& length) override
    {
        DWORD cch = length;
        const LONG status = ::RegEnumKeyExA(m_hKey, index, pszName, &cch, nullptr, nullptr, nullptr, nullptr);
        length = cch;
        return status;
    }

    long QueryValue(const char* pszValue, void* pData, std::uint32_t& size) override
    {
        DWORD cb = size;
        const LONG status = ::RegQueryValueExA(m_hKey, pszValue, nullptr, nullptr, static_cast<BYTE*>(pData), &cb);
        size = cb;
        return status;
    }

    long SetString(const char* pszValue, const char* pszText) override
    {
        const auto cb = static_cast<DWORD>(std::strlen(pszText) + 1);
        return ::RegSetValueExA(m_hKey, pszValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszText), cb);
    }

    long DeleteValue(const char* pszValue) override { return ::RegDeleteValueA(m_hKey, pszValue); }

private:
    HKEY m_hKey;
};

} // namespace

std::unique_ptr<IRegistryKey> CWin32Registry::OpenLocalMachine(const char* pszPath, RegistryAccess access)
{
    HKEY hKey = nullptr;
    const REGSAM sam = access == RegistryAccess::Write ? KEY_READ | KEY_WRITE : KEY_READ;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, pszPath, 0, sam, &hKey) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<CWin32RegistryKey>(hKey);
}
