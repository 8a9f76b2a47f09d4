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

// Ends at the first wait, as netsh would have done to the registry, unless
// it hangs.
class CFakeHiddenProcess final : public IHiddenProcess {
public:
    CFakeHiddenProcess(ProcessResult result, CFakeClock* pHangClock, CJournal* pJournal)
        : m_result(std::move(result)), m_pHangClock(pHangClock), m_pJournal(pJournal)
    {
    }
    bool Wait(IMessagePump& pump, std::uint32_t ms) override
    {
        pump.HandleWaiting(); // as a real wait would while the program runs
        if (m_pHangClock)
            m_pHangClock->now += ms;
        return !m_pHangClock;
    }
    void Terminate() override
    {
        if (m_pJournal)
            m_pJournal->Add("ended");
        m_result.exitCode = 1;
    }
    ProcessResult Result() override { return m_result; }

private:
    ProcessResult m_result;
    CFakeClock* m_pHangClock;
    CJournal* m_pJournal;
};

} // namespace

std::unique_ptr<IHiddenProcess> CFakeProcessRunner::StartHidden(const std::string& file, const std::string& parameters)
{
    runs.push_back({file, parameters});
    if (m_pJournal)
        m_pJournal->Add("run " + parameters);
    if (startFails)
        return nullptr;
    CFakeClock* pHangClock = !hang.empty() && parameters.find(hang) != std::string::npos ? pClock : nullptr;
    if (!pNetshRegistry || pHangClock)
        return std::make_unique<CFakeHiddenProcess>(ProcessResult{true, 0, {}}, pHangClock, m_pJournal);
    CFakeRegistryWriter writer(*pNetshRegistry);
    NetshAnswer answer = EmulateNetsh(parameters, *pNetshRegistry, writer, refuse);
    return std::make_unique<CFakeHiddenProcess>(ProcessResult{true, answer.exitCode, std::move(answer.output)}, nullptr,
                                                m_pJournal);
}
