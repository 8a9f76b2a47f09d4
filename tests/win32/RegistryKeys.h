#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Keys a test writes into its prefix's real registry under HKEY_LOCAL_MACHINE,
// named in UTF-8 and written wide; the ones it made are deleted again when it
// ends.
class CRegistryKeys {
public:
    CRegistryKeys() = default;
    CRegistryKeys(const CRegistryKeys&) = delete;
    CRegistryKeys& operator=(const CRegistryKeys&) = delete;
    ~CRegistryKeys();

    void Create(const std::string& path);
    void SetString(const std::string& path, const char* pszName, const std::string& text);
    void SetMultiString(const std::string& path, const char* pszName, const std::vector<std::string>& texts);
    void SetDword(const std::string& path, const char* pszName, DWORD value);

private:
    void Set(const std::string& path, const char* pszName, DWORD type, const void* pData, std::size_t nSize);
    std::vector<std::string> m_made; // topmost new keys, deleted with their subkeys
};
