#include "fakes/FakeProcessRunner.h"

#include "fakes/NetshEmulator.h"

namespace {

class CFakeRegistryWriter final : public INetshRegistryWriter {
public:
    explicit CFakeRegistryWriter(CFakeRegistry& registry) : m_registry(registry) {}
    void SetDword(const std::string& key, const char* pszValue, std::uint32_t dwValue) override
    {
        m_registry.SetDword(key, pszValue, dwValue);
    }
    void SetString(const std::string& key, const char* pszValue, const std::string& text) override
    {
        m_registry.SetString(key, pszValue, text);
    }
    void SetMultiString(const std::string& key, const char* pszValue, const std::string& text) override
    {
        if (text.empty())
            m_registry.SetMultiString(key, pszValue, {});
        else
            m_registry.SetMultiString(key, pszValue, {text});
    }

private:
    CFakeRegistry& m_registry;
};

} // namespace

ProcessResult CFakeProcessRunner::RunHidden(const std::string& file, const std::string& parameters, IMessagePump& pump)
{
    runs.push_back({file, parameters});
    if (m_pJournal)
        m_pJournal->Add("run " + parameters);
    if (startFails)
        return {};
    pump.HandleWaiting(); // as a real wait would while the program runs
    if (!pNetshRegistry)
        return {true, 0, {}};
    CFakeRegistryWriter writer(*pNetshRegistry);
    NetshAnswer answer = EmulateNetsh(parameters, *pNetshRegistry, writer, refuse);
    return {true, answer.exitCode, std::move(answer.output)};
}
