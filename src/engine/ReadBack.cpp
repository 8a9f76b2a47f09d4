#include "engine/ReadBack.h"

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

std::string Line(const char* pszWhat, const std::string& asked, const std::string& now)
{
    return std::string(pszWhat) + ": asked " + asked + ", has " + now;
}

std::string GatewayText(Ipv4Addr gateway)
{
    return gateway.IsNone() ? "none" : gateway.Dotted();
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
            lines.push_back(Line("Default gateway", GatewayText(asked.gateway), GatewayText(now.gateway)));
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

std::string UsedElsewhereLine(Ipv4Addr asked)
{
    return "IP address: asked " + asked.Dotted() + ", another computer on the network uses it";
}
