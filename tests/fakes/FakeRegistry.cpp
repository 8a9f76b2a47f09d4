#include "fakes/FakeRegistry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

class CFakeRegistryKey final : public IRegistryKey {
public:
    CFakeRegistryKey(CFakeRegistry& registry, std::string path, RegistryAccess access)
        : m_registry(registry), m_path(std::move(path)), m_access(access)
    {
        ++m_registry.m_openKeys;
    }
    CFakeRegistryKey(const CFakeRegistryKey&) = delete;
    CFakeRegistryKey& operator=(const CFakeRegistryKey&) = delete;
    ~CFakeRegistryKey() override { --m_registry.m_openKeys; }

    long EnumSubkey(std::uint32_t index, char* pszName, std::uint32_t& length) override
    {
        const auto& subkeys = Self().subkeys;
        if (index >= subkeys.size())
            return reg::kNoMoreItems;
        const std::string& name = subkeys[index];
        if (name.size() + 1 > length)
            return reg::kMoreData;
        std::memcpy(pszName, name.c_str(), name.size() + 1);
        length = static_cast<std::uint32_t>(name.size());
        return reg::kSuccess;
    }

    long QueryValue(const char* pszValue, void* pData, std::uint32_t& size) override
    {
        const auto& values = Self().values;
        const auto it = values.find(pszValue);
        if (it == values.end())
            return reg::kFileNotFound;
        const CFakeRegistry::Value& value = it->second;
        if (value.failure != reg::kSuccess)
            return value.failure;
        const auto needed = static_cast<std::uint32_t>(value.data.size());
        if (needed > size) {
            size = needed;
            return reg::kMoreData;
        }
        if (needed > 0)
            std::memcpy(pData, value.data.data(), needed);
        size = needed;
        return reg::kSuccess;
    }

    long SetString(const char* pszValue, const char* pszText) override
    {
        if (m_access != RegistryAccess::Write)
            return 5; // access denied
        m_registry.SetString(m_path, pszValue, pszText);
        return reg::kSuccess;
    }

    long DeleteValue(const char* pszValue) override
    {
        if (m_access != RegistryAccess::Write)
            return 5;
        return Self().values.erase(pszValue) ? reg::kSuccess : reg::kFileNotFound;
    }

private:
    CFakeRegistry::Key& Self() { return m_registry.m_keys[CFakeRegistry::Fold(m_path)]; }

    CFakeRegistry& m_registry;
    std::string m_path;
    RegistryAccess m_access;
};

std::string CFakeRegistry::Fold(const std::string& path)
{
    std::string folded = path;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return folded;
}

std::unique_ptr<IRegistryKey> CFakeRegistry::OpenLocalMachine(const char* pszPath, RegistryAccess access)
{
    if (!m_keys.count(Fold(pszPath)))
        return nullptr;
    if (access == RegistryAccess::Write)
        ++m_writeOpens;
    return std::make_unique<CFakeRegistryKey>(*this, pszPath, access);
}

void CFakeRegistry::AddKey(const std::string& path)
{
    if (m_keys.count(Fold(path)))
        return;
    m_keys[Fold(path)];
    const auto sep = path.rfind('\\');
    if (sep == std::string::npos)
        return;
    const std::string parent = path.substr(0, sep);
    AddKey(parent);
    m_keys[Fold(parent)].subkeys.push_back(path.substr(sep + 1));
}

void CFakeRegistry::RemoveKey(const std::string& path)
{
    m_keys.erase(Fold(path));
    const auto sep = path.rfind('\\');
    if (sep == std::string::npos)
        return;
    auto& siblings = m_keys[Fold(path.substr(0, sep))].subkeys;
    const std::string leaf = Fold(path.substr(sep + 1));
    siblings.erase(
        std::remove_if(siblings.begin(), siblings.end(), [&](const std::string& s) { return Fold(s) == leaf; }),
        siblings.end());
}

void CFakeRegistry::SetRaw(const std::string& path, const std::string& name, std::uint32_t type,
                           std::vector<std::uint8_t> data)
{
    AddKey(path);
    m_keys[Fold(path)].values[name] = Value{type, std::move(data), reg::kSuccess};
}

void CFakeRegistry::SetString(const std::string& path, const std::string& name, const std::string& text)
{
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    SetRaw(path, name, kString, std::move(data));
}

void CFakeRegistry::SetMultiString(const std::string& path, const std::string& name,
                                   std::initializer_list<std::string> texts)
{
    std::vector<std::uint8_t> data;
    for (const std::string& text : texts) {
        data.insert(data.end(), text.begin(), text.end());
        data.push_back(0);
    }
    data.push_back(0);
    SetRaw(path, name, kMultiString, std::move(data));
}

void CFakeRegistry::SetDword(const std::string& path, const std::string& name, std::uint32_t value)
{
    SetRaw(path, name, kDword,
           {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

void CFakeRegistry::FailValue(const std::string& path, const std::string& name, long status)
{
    AddKey(path);
    m_keys[Fold(path)].values[name].failure = status;
}
