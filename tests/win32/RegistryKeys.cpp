#include "RegistryKeys.h"

#include <gtest/gtest.h>

CRegistryKeys::~CRegistryKeys()
{
    for (auto it = m_made.rbegin(); it != m_made.rend(); ++it)
        ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, it->c_str());
}

void CRegistryKeys::Create(const std::string& path)
{
    // Remember the first level that did not exist, so that deleting it
    // removes exactly what this test added.
    bool recorded = false;
    for (std::size_t pos = path.find('\\');; pos = path.find('\\', pos + 1)) {
        const std::string part = path.substr(0, pos);
        HKEY hKey = nullptr;
        DWORD disposition = 0;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, part.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey,
                                    &disposition),
                  ERROR_SUCCESS)
            << part;
        ::RegCloseKey(hKey);
        if (disposition == REG_CREATED_NEW_KEY && !recorded) {
            m_made.push_back(part);
            recorded = true;
        }
        if (pos == std::string::npos)
            break;
    }
}

void CRegistryKeys::Set(const std::string& path, const char* pszName, DWORD type, const std::string& data)
{
    Create(path);
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, &hKey), ERROR_SUCCESS) << path;
    EXPECT_EQ(::RegSetValueExA(hKey, pszName, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                               static_cast<DWORD>(data.size())),
              ERROR_SUCCESS)
        << path << " " << pszName;
    ::RegCloseKey(hKey);
}

void CRegistryKeys::SetString(const std::string& path, const char* pszName, const std::string& text)
{
    Set(path, pszName, REG_SZ, text + '\0');
}

void CRegistryKeys::SetMultiString(const std::string& path, const char* pszName, const std::vector<std::string>& texts)
{
    std::string data;
    for (const std::string& text : texts)
        data += text + '\0';
    Set(path, pszName, REG_MULTI_SZ, data + '\0');
}

void CRegistryKeys::SetDword(const std::string& path, const char* pszName, DWORD value)
{
    Set(path, pszName, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
}
