#include "net/NetshCommands.h"

#include "config/Address.h"

namespace {

std::string Dotted(std::uint32_t dwAddress)
{
    char text[kAddressTextSize];
    FormatAddress(dwAddress, text);
    return text;
}

std::string Quoted(std::string_view connection)
{
    std::string text = "\"";
    text += connection;
    text += '"';
    return text;
}

} // namespace

std::string BuildAddressCommand(std::string_view connection, std::uint32_t dwAddress, std::uint32_t dwMask,
                                std::uint32_t dwGateway)
{
    const std::string prefix = "interface ip set address name=" + Quoted(connection);
    if (dwAddress == 0)
        return prefix + " source=dhcp";
    return prefix + " source=static addr=" + Dotted(dwAddress) + " mask=" + Dotted(dwMask) +
           " gateway=" + Dotted(dwGateway) + " gwmetric=1";
}

std::vector<std::string> BuildDnsCommands(std::string_view connection, std::uint32_t dwDns1, std::uint32_t dwDns2,
                                          std::uint32_t dwDns3)
{
    const std::string name = Quoted(connection);
    if (dwDns1 == 0)
        return {"interface ip set dns name=" + name + " source=dhcp register=PRIMARY"};

    std::vector<std::string> commands;
    commands.push_back("interface ip set dns name=" + name + " source=static addr=" + Dotted(dwDns1) +
                       " register=PRIMARY");
    if (dwDns2 != 0) {
        commands.push_back("interface ip add dns name=" + name + " addr=" + Dotted(dwDns2) + " index=2");
        if (dwDns3 != 0)
            commands.push_back("interface ip add dns name=" + name + " addr=" + Dotted(dwDns3) + " index=3");
    }
    return commands;
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
