#include "engine/AutoSwitch.h"

#include <algorithm>
#include <cstdint>

namespace {

// Tick counts wrap after 49.7 days; their difference does not.
bool Reached(std::uint32_t now, std::uint32_t when)
{
    return static_cast<std::int32_t>(now - when) >= 0;
}

bool GainedAnAddress(const std::vector<AdapterEntry>& before, const std::vector<AdapterEntry>& now)
{
    return std::any_of(now.begin(), now.end(), [&](const AdapterEntry& adapter) {
        const auto it = std::find_if(before.begin(), before.end(),
                                     [&](const AdapterEntry& old) { return old.name == adapter.name; });
        return std::any_of(adapter.addresses.begin(), adapter.addresses.end(), [&](const std::string& address) {
            return it == before.end() ||
                   std::find(it->addresses.begin(), it->addresses.end(), address) == it->addresses.end();
        });
    });
}

} // namespace

void CAutoSwitch::SetOn(bool bOn)
{
    m_bOn = bOn;
    if (!bOn)
        m_due.reset();
}

void CAutoSwitch::AddressesRead(std::vector<AdapterEntry> adapters)
{
    const bool bOwn = m_nOwnWork > 0 || WithinOwnChangeTime();
    if (m_known && *m_known != adapters && !bOwn && m_bOn && (m_due || GainedAnAddress(*m_known, adapters)))
        StartWaiting(kQuietTime);
    m_known = std::move(adapters);
}

void CAutoSwitch::Resumed()
{
    if (m_bOn && m_nOwnWork == 0)
        StartWaiting(kResumeWait);
}

void CAutoSwitch::BeginOwnWork()
{
    ++m_nOwnWork;
    m_due.reset();
}

void CAutoSwitch::EndOwnWork()
{
    if (m_nOwnWork > 0 && --m_nOwnWork == 0)
        m_ownWorkEnded = m_clock.TickCount();
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

bool CAutoSwitch::WithinOwnChangeTime()
{
    if (m_ownWorkEnded && !Reached(m_clock.TickCount(), *m_ownWorkEnded + kOwnChangeTime))
        return true;
    // Long past, it would come round again when the tick count wraps.
    m_ownWorkEnded.reset();
    return false;
}
