#include "net/NetshCommands.h"

#include "net/Connections.h"

#include <algorithm>

namespace {

std::string Quoted(std::string_view connection)
{
    std::string text = "\"";
    text += connection;
    text += '"';
    return text;
}

} // namespace

std::string BuildAddressCommand(std::string_view connection, Ipv4Addr address, Ipv4Addr mask, Ipv4Addr gateway)
{
    const std::string prefix = "interface ip set address name=" + Quoted(connection);
    if (address.IsNone())
        return prefix + " source=dhcp";
    return prefix + " source=static addr=" + address.Dotted() + " mask=" + mask.Dotted() +
           " gateway=" + gateway.Dotted() + " gwmetric=1";
}

std::vector<std::string> BuildAddressCommands(std::string_view connection, const ConnectionSettings& settings)
{
    if (settings.bDhcpAddress || settings.ipAddress.IsNone())
        return {BuildAddressCommand(connection, {}, {}, {})};
    std::vector<std::string> commands = {
        BuildAddressCommand(connection, settings.ipAddress, settings.subnetMask, settings.gateway)};
    const std::string prefix = "interface ip add address name=" + Quoted(connection);
    for (const AddressMask& more : settings.moreAddresses)
        commands.push_back(prefix + " addr=" + more.address.Dotted() + " mask=" + more.mask.Dotted());
    for (const GatewayMetric& more : settings.moreGateways)
        commands.push_back(prefix + " gateway=" + more.gateway.Dotted() + " gwmetric=" + std::to_string(more.metric));
    return commands;
}

std::vector<std::string> BuildDnsCommands(std::string_view connection, Ipv4Addr dns1, Ipv4Addr dns2, Ipv4Addr dns3)
{
    const std::string name = Quoted(connection);
    if (dns1.IsNone())
        return {"interface ip set dns name=" + name + " source=dhcp register=PRIMARY"};

    std::vector<std::string> commands;
    commands.push_back("interface ip set dns name=" + name + " source=static addr=" + dns1.Dotted() +
                       " register=PRIMARY");
    if (!dns2.IsNone()) {
        commands.push_back("interface ip add dns name=" + name + " addr=" + dns2.Dotted() + " index=2");
        if (!dns3.IsNone())
            commands.push_back("interface ip add dns name=" + name + " addr=" + dns3.Dotted() + " index=3");
    }
    return commands;
}

std::string LastPrintedLine(const NetshRuns& runs)
{
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        std::string_view text = run->output;
        while (!text.empty()) {
            const std::size_t start = text.find_last_of("\r\n", text.size() - 1);
            const std::string_view line = start == std::string_view::npos ? text : text.substr(start + 1);
            text = start == std::string_view::npos ? std::string_view() : text.substr(0, start);
            const std::size_t first = line.find_first_not_of(" \t");
            if (first != std::string_view::npos)
                return std::string(line.substr(first, line.find_last_not_of(" \t") - first + 1));
        }
    }
    return {};
}

bool IsSafeConnectionName(std::string_view connection)
{
    // A closing backslash would escape the closing quote for netsh's parser.
    if (connection.empty() || connection.back() == '\\')
        return false;
    for (const char c : connection) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || u < 0x20 || u == 0x7F)
            return false;
    }
    return true;
}

std::optional<unsigned> ConnectionNamed(const IConnections& connections, std::string_view name, NameMatch which)
{
    std::optional<unsigned> found;
    for (unsigned i = 0; i < connections.GetAdapterCount() && !(found && which == NameMatch::First); ++i) {
        const char* pszName = connections.GetConnectionName(i);
        if (pszName && name == pszName)
            found = i;
    }
    return found;
}

bool AnyTimedOut(const NetshRuns& runs)
{
    return std::any_of(runs.begin(), runs.end(), [](const NetshRun& run) { return run.bTimedOut; });
}
