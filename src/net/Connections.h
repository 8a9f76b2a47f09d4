#pragma once

#include "config/ConnectionSettings.h"
#include "config/Ipv4Addr.h"
#include "platform/AddressStates.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One netsh run: the command, whether it started, its exit code and what it
// printed. Neither the code nor the text says whether the settings took
// (netsh exits 1 when DHCP is already on, and its text is translated): only
// reading the settings back does.
struct NetshRun {
    std::string command;
    bool bStarted = false;
    std::uint32_t exitCode = 0;
    std::string output;
    // It did not finish in time and was ended.
    bool bTimedOut = false;
};
using NetshRuns = std::vector<NetshRun>;

// A netsh that has not finished by then is ended: a stuck DHCP client or
// driver would otherwise hold Tolvi for good.
constexpr std::uint32_t kNetshTimeLimit = 60000;

// The last line with text that any of the runs printed, for the user.
std::string LastPrintedLine(const NetshRuns& runs);
bool AnyTimedOut(const NetshRuns& runs);

// The connections present, by index, and applying settings to one of them.
// Zeros ask for DHCP; the setters return the runs they made, none for a
// connection that cannot be named to netsh. After a run that hung, the
// later commands of the same call are not run.
class IConnections {
public:
    virtual ~IConnections() = default;
    virtual unsigned GetAdapterCount() const = 0;
    // nullptr when the adapter has no connection name.
    virtual const char* GetConnectionName(unsigned i) const = 0;
    // The address part of the settings: DHCP when they say so or hold no
    // address; else the first address, mask and gateway, then each further
    // address and each further gateway added.
    virtual NetshRuns SetAddress(unsigned i, const ConnectionSettings& settings) = 0;
    virtual NetshRuns SetDns(unsigned i, Ipv4Addr dns1, Ipv4Addr dns2, Ipv4Addr dns3) = 0;
    // What connection i has in force now, read afresh, for judging an apply.
    virtual ConnectionSettings GetSettingsInForce(unsigned i) = 0;
    // Where Windows' check for another computer with this address stands;
    // absent where nothing tells.
    virtual AddressState StateOf(unsigned, Ipv4Addr) { return AddressState::Absent; }
};

// The connection of exactly this name; none when this computer has none.
// Two of one name are possible in the registry: the engine takes the first,
// while the connection lists keep the last one selected.
enum class NameMatch { First, Last };
std::optional<unsigned> ConnectionNamed(const IConnections& connections, std::string_view name,
                                        NameMatch which = NameMatch::First);
