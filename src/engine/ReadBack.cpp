#include "engine/ReadBack.h"

#include <algorithm>
#include <cstddef>

namespace {

bool AsksDhcpAddress(const ConnectionSettings& settings)
{
    return settings.bDhcpAddress || settings.ipAddress.IsNone();
}

// The servers in the order they take effect; empty for DHCP.
std::vector<Ipv4Addr> DnsServersAsked(const ConnectionSettings& asked)
{
    std::vector<Ipv4Addr> servers;
    if (!asked.bDhcpDns)
        for (const Ipv4Addr server : asked.dns) {
            if (server.IsNone())
                break;
            servers.push_back(server);
        }
    return servers;
}

std::vector<Ipv4Addr> DnsServersInForce(const ConnectionSettings& now)
{
    std::vector<Ipv4Addr> servers;
    if (!now.bDhcpDns)
        for (const Ipv4Addr server : now.dns)
            if (!server.IsNone())
                servers.push_back(server);
    return servers;
}

// No servers: DHCP when asked for or when DHCP supplies them, else none.
std::string ServersText(const std::vector<Ipv4Addr>& servers, bool bDhcp)
{
    std::string text;
    for (const Ipv4Addr server : servers)
        text += (text.empty() ? "" : ", ") + server.Dotted();
    return !text.empty() ? text : bDhcp ? "DHCP" : "none";
}

std::string Line(const std::string& what, const std::string& asked, const std::string& now)
{
    return what + ": asked " + asked + ", has " + now;
}

std::string AddressOrNone(Ipv4Addr address)
{
    return address.IsNone() ? "none" : address.Dotted();
}

// The further ones by their place in the lists, named as the text form numbers
// them: the first further address is "IP address 2". A missing one reads as none.
void FurtherNotTaken(const ConnectionSettings& asked, const ConnectionSettings& now, std::vector<std::string>& lines)
{
    const auto nth = [](std::size_t k) { return " " + std::to_string(k + 2); };
    for (std::size_t k = 0; k < std::max(asked.moreAddresses.size(), now.moreAddresses.size()); ++k) {
        const AddressMask a = k < asked.moreAddresses.size() ? asked.moreAddresses[k] : AddressMask{};
        const AddressMask n = k < now.moreAddresses.size() ? now.moreAddresses[k] : AddressMask{};
        if (a.address != n.address)
            lines.push_back(Line("IP address" + nth(k), AddressOrNone(a.address), AddressOrNone(n.address)));
        else if (a.mask != n.mask)
            lines.push_back(Line("Subnet mask" + nth(k), a.mask.Dotted(), n.mask.Dotted()));
    }
    for (std::size_t k = 0; k < std::max(asked.moreGateways.size(), now.moreGateways.size()); ++k) {
        const GatewayMetric a = k < asked.moreGateways.size() ? asked.moreGateways[k] : GatewayMetric{};
        const GatewayMetric n = k < now.moreGateways.size() ? now.moreGateways[k] : GatewayMetric{};
        if (a.gateway != n.gateway)
            lines.push_back(Line("Default gateway" + nth(k), AddressOrNone(a.gateway), AddressOrNone(n.gateway)));
        else if (a.metric != n.metric)
            lines.push_back(Line("Gateway metric" + nth(k), std::to_string(a.metric), std::to_string(n.metric)));
    }
}

} // namespace

std::vector<std::string> AddressNotTaken(const ConnectionSettings& asked, const ConnectionSettings& now)
{
    std::vector<std::string> lines;
    const bool bDhcpAsked = AsksDhcpAddress(asked);
    if (bDhcpAsked != now.bDhcpAddress) {
        lines.push_back(Line("IP address", bDhcpAsked ? "DHCP" : asked.ipAddress.Dotted(),
                             now.bDhcpAddress ? "DHCP" : now.ipAddress.Dotted()));
    } else if (!bDhcpAsked) {
        if (now.ipAddress != asked.ipAddress)
            lines.push_back(Line("IP address", asked.ipAddress.Dotted(), now.ipAddress.Dotted()));
        if (now.subnetMask != asked.subnetMask)
            lines.push_back(Line("Subnet mask", asked.subnetMask.Dotted(), now.subnetMask.Dotted()));
        if (now.gateway != asked.gateway)
            lines.push_back(Line("Default gateway", AddressOrNone(asked.gateway), AddressOrNone(now.gateway)));
        FurtherNotTaken(asked, now, lines);
    }
    return lines;
}

bool AddressTook(const ConnectionSettings& asked, const ConnectionSettings& now)
{
    return AddressNotTaken(asked, now).empty();
}

std::vector<std::string> WhatDidNotTake(const ConnectionSettings& asked, const ConnectionSettings& now)
{
    std::vector<std::string> lines = AddressNotTaken(asked, now);
    const std::vector<Ipv4Addr> serversAsked = DnsServersAsked(asked);
    const std::vector<Ipv4Addr> serversNow = DnsServersInForce(now);
    if (serversAsked != serversNow)
        lines.push_back(Line("DNS servers", ServersText(serversAsked, true), ServersText(serversNow, now.bDhcpDns)));
    return lines;
}

std::string NotTakenText(const std::string& heading, const std::vector<std::string>& lines, const NetshRuns& runs)
{
    std::string text = heading;
    for (const std::string& line : lines)
        text += "\n" + line;
    const std::string said = LastPrintedLine(runs);
    if (!said.empty())
        text += "\n\nnetsh said: " + said;
    if (AnyTimedOut(runs))
        text += "\n\nnetsh did not finish within " + std::to_string(kNetshTimeLimit / 1000) + " seconds and was ended.";
    return text;
}

std::string UsedElsewhereLine(const ConnectionSettings& asked, std::size_t k)
{
    const Ipv4Addr address = k == 0 ? asked.ipAddress : asked.moreAddresses[k - 1].address;
    return "IP address" + (k == 0 ? std::string() : " " + std::to_string(k + 1)) + ": asked " + address.Dotted() +
           ", another computer on the network uses it";
}
