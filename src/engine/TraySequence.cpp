#include "engine/TraySequence.h"

#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// Every connection's settings, for what Tolvi's own work put in force.
std::vector<ConnectionSettings> SettingsInForce(IConnections& connections)
{
    std::vector<ConnectionSettings> settings;
    for (unsigned i = 0; i < connections.GetAdapterCount(); ++i)
        settings.push_back(connections.GetSettingsInForce(i));
    return settings;
}

// Tells the switch of the work's end, however the work ended.
class COwnWork {
public:
    COwnWork(CAutoSwitch& autoSwitch, IConnections& connections)
        : m_switch(autoSwitch), m_connections(connections), m_before(SettingsInForce(connections))
    {
        m_switch.BeginOwnWork();
    }
    COwnWork(const COwnWork&) = delete;
    COwnWork& operator=(const COwnWork&) = delete;
    ~COwnWork()
    {
        OwnSettings own;
        try {
            own = OwnSettings::Between(m_before, SettingsInForce(m_connections));
        } catch (...) {
            // Then nothing it did is taken for its own.
        }
        m_switch.EndOwnWork(std::move(own));
    }

private:
    CAutoSwitch& m_switch;
    IConnections& m_connections;
    std::vector<ConnectionSettings> m_before;
};

} // namespace

CTraySequence::Next CTraySequence::ReadAdapters()
{
    std::optional<std::vector<AdapterAddressList>> adapters = m_addresses.Read();
    const bool bChanged = adapters && m_switch.AddressesRead(std::move(*adapters));
    if (IsBusy())
        return {};
    return {bChanged, m_switch.TakeDueRun()};
}

void CTraySequence::RunAsOwnWork(IConnections& connections, const std::function<void()>& work)
{
    const CBusy busy(*this);
    const COwnWork own(m_switch, connections);
    work();
}

CTraySequence::Next CTraySequence::Poll(IIcon& icon)
{
    if (!icon.IsShown())
        icon.Add();
    return ReadAdapters();
}

void CTraySequence::NoteOutcome(const std::string& text, int nHour, int nMinute)
{
    std::string_view line = std::string_view(text).substr(0, text.find('\n'));
    // Short enough for a menu line: the news, not the sentence around it.
    if (line.starts_with("Configuration "))
        line.remove_prefix(std::string_view("Configuration ").size());
    if (line.ends_with('.'))
        line.remove_suffix(1);
    char time[16] = {};
    std::snprintf(time, sizeof time, "%02d:%02d", nHour % 24, nMinute % 60);
    m_lastOutcome = "Last: " + std::string(line) + " (" + time + ")";
}
