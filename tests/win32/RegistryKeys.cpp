#include "RegistryKeys.h"

#include "platform/win32/WideText.h"

#include <gtest/gtest.h>

CRegistryKeys::~CRegistryKeys()
{
    for (auto it = m_made.rbegin(); it != m_made.rend(); ++it)
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, Wide(*it).c_str());
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
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, Wide(part).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    &hKey, &disposition),
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

void CRegistryKeys::Set(const std::string& path, const char* pszName, DWORD type, const void* pData, std::size_t nSize)
{
    Create(path);
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(path).c_str(), 0, KEY_SET_VALUE, &hKey), ERROR_SUCCESS) << path;
    EXPECT_EQ(::RegSetValueExW(hKey, Wide(pszName).c_str(), 0, type, static_cast<const BYTE*>(pData),
                               static_cast<DWORD>(nSize)),
              ERROR_SUCCESS)
        << path << " " << pszName;
    ::RegCloseKey(hKey);
}

void CRegistryKeys::SetString(const std::string& path, const char* pszName, const std::string& text)
{
    const std::wstring data = Wide(text);
    Set(path, pszName, REG_SZ, data.c_str(), (data.size() + 1) * sizeof(wchar_t));
}

void CRegistryKeys::SetMultiString(const std::string& path, const char* pszName, const std::vector<std::string>& texts)
{
    std::wstring data;
    for (const std::string& text : texts)
        data += Wide(text) + L'\0';
    Set(path, pszName, REG_MULTI_SZ, data.c_str(), (data.size() + 1) * sizeof(wchar_t));
}

void CRegistryKeys::SetDword(const std::string& path, const char* pszName, DWORD value)
{
    Set(path, pszName, REG_DWORD, &value, sizeof value);
}
