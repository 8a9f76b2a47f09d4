#include "engine/AutoSwitch.h"

#include <algorithm>
#include <cstdint>

namespace {

// Tick counts wrap after 49.7 days; their difference does not.
bool Reached(std::uint32_t now, std::uint32_t when)
{
    return static_cast<std::int32_t>(now - when) >= 0;
}

std::vector<Ipv4Addr> GainedAddresses(const std::vector<AdapterAddressList>& before,
                                      const std::vector<AdapterAddressList>& now)
{
    std::vector<Ipv4Addr> gained;
    for (const AdapterAddressList& adapter : now) {
        const auto it = std::find_if(before.begin(), before.end(),
                                     [&](const AdapterAddressList& old) { return old.name == adapter.name; });
        for (const Ipv4Addr address : adapter.addresses) {
            if (it == before.end() ||
                std::find(it->addresses.begin(), it->addresses.end(), address) == it->addresses.end())
                gained.push_back(address);
        }
    }
    return gained;
}

} // namespace

OwnSettings OwnSettings::Between(const std::vector<ConnectionSettings>& before,
                                 const std::vector<ConnectionSettings>& after)
{
    OwnSettings own;
    for (std::size_t i = 0; i < after.size(); ++i) {
        // Connections that came or went leave the indexes unmatched.
        if (before.size() == after.size() && before[i] == after[i])
            continue;
        if (after[i].bDhcpAddress)
            own.bLease = true;
        else if (!after[i].ipAddress.IsNone()) {
            own.addresses.push_back(after[i].ipAddress);
            for (const AddressMask& more : after[i].moreAddresses)
                own.addresses.push_back(more.address);
        }
    }
    return own;
}

void CAutoSwitch::SetOn(bool bOn)
{
    m_bOn = bOn;
    if (!bOn)
        m_due.reset();
}

bool CAutoSwitch::AddressesRead(std::vector<AdapterAddressList> adapters)
{
    if (m_known && *m_known == adapters)
        return false;
    if (m_known && m_nOwnWork == 0 && m_bOn) {
        const std::vector<Ipv4Addr> gained = GainedAddresses(*m_known, adapters);
        if (!Explained(gained) && (m_due || !gained.empty()))
            StartWaiting(kQuietTime);
    }
    m_known = std::move(adapters);
    return true;
}

void CAutoSwitch::Resumed()
{
    if (m_bOn && m_nOwnWork == 0)
        StartWaiting(kResumeWait);
}

void CAutoSwitch::DisplayTurned(bool bOn)
{
    if (!bOn) {
        // Dimmed or off again: the dark time counts from the first.
        m_displayOff = m_displayOff.value_or(m_clock.TickCount());
        return;
    }
    if (m_displayOff && m_clock.TickCount() - *m_displayOff >= kDisplayOffTime)
        Resumed();
    m_displayOff.reset();
}

void CAutoSwitch::BeginOwnWork()
{
    ++m_nOwnWork;
    m_due.reset();
}

void CAutoSwitch::EndOwnWork(OwnSettings settings)
{
    if (m_nOwnWork == 0 || --m_nOwnWork > 0)
        return;
    m_ownWorkEnded = m_clock.TickCount();
    m_own = std::move(settings);
}

bool CAutoSwitch::TakeDueRun()
{
    if (!m_due || m_nOwnWork > 0 || !Reached(m_clock.TickCount(), *m_due))
        return false;
    m_due.reset();
    return true;
}

void CAutoSwitch::StartWaiting(std::uint32_t dwWait)
{
    // A change within a resume's wait does not shorten it.
    const std::uint32_t due = m_clock.TickCount() + dwWait;
    if (!m_due || Reached(due, *m_due))
        m_due = due;
}

bool CAutoSwitch::Explained(const std::vector<Ipv4Addr>& gained)
{
    // Long past, the end would come round again when the tick count wraps.
    if (m_ownWorkEnded && Reached(m_clock.TickCount(), *m_ownWorkEnded + kOwnChangeTime))
        m_ownWorkEnded.reset();
    if (!m_ownWorkEnded)
        return false;
    return m_own.bLease || (!gained.empty() && std::all_of(gained.begin(), gained.end(), [&](const Ipv4Addr address) {
               return std::find(m_own.addresses.begin(), m_own.addresses.end(), address) != m_own.addresses.end();
           }));
}
