#pragma once

#include "platform/Registry.h"

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

// An in-memory HKEY_LOCAL_MACHINE. Paths compare without regard to letter
// case, as the system's do; subkeys enumerate in the order they were made.
class CFakeRegistry final : public IRegistry {
public:
    static constexpr std::uint32_t kString = 1;
    static constexpr std::uint32_t kDword = 4;
    static constexpr std::uint32_t kMultiString = 7;

    struct Value {
        std::uint32_t type = kString;
        std::vector<std::uint8_t> data;
        long failure = reg::kSuccess; // returned instead of the data when set
    };

    std::unique_ptr<IRegistryKey> OpenLocalMachine(const char* pszPath, RegistryAccess access) override;

    // Makes the key and any missing parents.
    void AddKey(const std::string& path);
    void SetRaw(const std::string& path, const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data);
    void SetString(const std::string& path, const std::string& name, const std::string& text);
    void SetMultiString(const std::string& path, const std::string& name, std::initializer_list<std::string> texts);
    void SetDword(const std::string& path, const std::string& name, std::uint32_t value);
    void FailValue(const std::string& path, const std::string& name, long status);
    void RemoveKey(const std::string& path);

    int OpenKeys() const { return m_openKeys; }
    int WriteOpens() const { return m_writeOpens; }

private:
    friend class CFakeRegistryKey;
    struct Key {
        std::vector<std::string> subkeys; // as given, in creation order
        std::map<std::string, Value> values;
    };
    static std::string Fold(const std::string& path);

    std::map<std::string, Key> m_keys; // by folded path
    int m_openKeys = 0;
    int m_writeOpens = 0;
};
