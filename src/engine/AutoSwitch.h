#pragma once

#include "config/ConnectionSettings.h"
#include "net/AdapterAddresses.h"
#include "platform/Clock.h"

#include <cstdint>
#include <optional>
#include <vector>

// What Tolvi's own work put in force, which explains the addresses that
// appear for a while after it: its static addresses, further ones included,
// and any address at all on a connection it set to DHCP, whose lease may
// come seconds later.
struct OwnSettings {
    std::vector<Ipv4Addr> addresses;
    bool bLease = false;

    // What changed on each connection between the two readings.
    static OwnSettings Between(const std::vector<ConnectionSettings>& before,
                               const std::vector<ConnectionSettings>& after);
};

// When the tray starts automatic configuration by itself: a few seconds
// after the last of a burst of address changes in which an adapter gained an
// address, or a while after the machine resumed. Losing an address alone
// starts nothing: a cable pulled or a lid closed leaves nothing to find.
// Changes during Tolvi's own work are its own, and so are those its work
// explains for a while after.
class CAutoSwitch {
public:
    // How often the adapters are read where no notification says when.
    static constexpr std::uint32_t kPollInterval = 3000;
    static constexpr std::uint32_t kQuietTime = 4000;
    // A network takes a while to come back after a resume.
    static constexpr std::uint32_t kResumeWait = 8000;
    static constexpr std::uint32_t kOwnChangeTime = 15000;
    // A display dark this long and lit again counts as a resume: laptops
    // with Modern Standby often send no resume at all.
    static constexpr std::uint32_t kDisplayOffTime = 60000;

    explicit CAutoSwitch(IClock& clock) : m_clock(clock) {}

    // "Switch automatically when the network changes"; on at start.
    bool IsOn() const { return m_bOn; }
    void SetOn(bool bOn);

    // The adapter list as read now; whether it differs from the one read
    // before (the first always does).
    bool AddressesRead(std::vector<AdapterAddressList> adapters);
    // The machine came back from sleep or hibernation.
    void Resumed();
    // The console's display went dark or lit again.
    void DisplayTurned(bool bOn);
    // Tolvi's own work: an operation, or the main dialog while it is open.
    void BeginOwnWork();
    void EndOwnWork(OwnSettings settings = {});

    // Whether automatic configuration should start now. A run that is due
    // is taken by asking: the caller runs it as its own work.
    bool TakeDueRun();

private:
    void StartWaiting(std::uint32_t dwWait);
    // Whether the addresses gained since the last read are ones Tolvi's own
    // work explains.
    bool Explained(const std::vector<Ipv4Addr>& gained);

    IClock& m_clock;
    bool m_bOn = true;
    int m_nOwnWork = 0;
    std::optional<std::uint32_t> m_ownWorkEnded;
    OwnSettings m_own;
    std::optional<std::vector<AdapterAddressList>> m_known;
    std::optional<std::uint32_t> m_due;
    std::optional<std::uint32_t> m_displayOff;
};
