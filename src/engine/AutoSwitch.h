#pragma once

#include "platform/AdapterList.h"
#include "platform/Clock.h"

#include <cstdint>
#include <optional>
#include <vector>

// When the tray starts automatic configuration by itself: a few seconds
// after the last of a burst of address changes in which an adapter gained an
// address, or a while after the machine resumed. Losing an address alone
// starts nothing: a cable pulled or a lid closed leaves nothing to find.
// Changes seen during Tolvi's own work, and for a while after it, are its
// own (a lease arriving after an apply of DHCP is one).
class CAutoSwitch {
public:
    // How often the adapters are read where no notification says when.
    static constexpr std::uint32_t kPollInterval = 3000;
    static constexpr std::uint32_t kQuietTime = 4000;
    // A network takes a while to come back after a resume.
    static constexpr std::uint32_t kResumeWait = 8000;
    static constexpr std::uint32_t kOwnChangeTime = 15000;

    explicit CAutoSwitch(IClock& clock) : m_clock(clock) {}

    // "Switch automatically when the network changes"; on at start.
    bool IsOn() const { return m_bOn; }
    void SetOn(bool bOn);

    // The adapter list as read now.
    void AddressesRead(std::vector<AdapterEntry> adapters);
    // The machine came back from sleep or hibernation.
    void Resumed();
    // Tolvi's own work: an operation, or the main dialog while it is open.
    void BeginOwnWork();
    void EndOwnWork();

    // Whether automatic configuration should start now. A run that is due
    // is taken by asking: the caller runs it as its own work.
    bool TakeDueRun();

private:
    void StartWaiting(std::uint32_t dwWait);
    bool WithinOwnChangeTime();

    IClock& m_clock;
    bool m_bOn = true;
    int m_nOwnWork = 0;
    std::optional<std::uint32_t> m_ownWorkEnded;
    std::optional<std::vector<AdapterEntry>> m_known;
    std::optional<std::uint32_t> m_due;
};
