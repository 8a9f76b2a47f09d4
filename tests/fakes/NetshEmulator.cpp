#include "fakes/NetshEmulator.h"

#include "support/NetworkTestValues.h"

#include <cstring>
#include <map>
#include <sstream>
#include <vector>

namespace {

// A multi-string's strings come with a NUL between each two.
std::string ReadText(IRegistryKey& key, const char* pszValue)
{
    char text[2050] = {};
    std::uint32_t size = sizeof text - 2;
    if (key.QueryValue(pszValue, text, size) != reg::kSuccess)
        return {};
    const std::string data(text, size + 2);
    return data.substr(0, data.find(std::string(2, '\0')));
}

// The interface key of the connection so named; empty when none has it.
std::string InterfaceKeyOf(IRegistry& registry, const std::string& connection)
{
    const auto classKey = registry.OpenLocalMachine(kConnectionClassKey.c_str(), RegistryAccess::Read);
    for (std::uint32_t i = 0; classKey; ++i) {
        char subkey[256] = {};
        std::uint32_t length = sizeof subkey;
        if (classKey->EnumSubkey(i, subkey, length) != reg::kSuccess)
            break;
        const std::string path = kConnectionClassKey + "\\" + subkey + "\\Connection";
        const auto key = registry.OpenLocalMachine(path.c_str(), RegistryAccess::Read);
        if (key && ReadText(*key, "Name") == connection)
            return kInterfacesKey + std::string(subkey);
    }
    return {};
}

struct Parsed {
    std::string verb; // "set address", "set dns", "add dns", "add address"
    std::string name;
    std::map<std::string, std::string> options;
};

bool Parse(const std::string& command, Parsed& parsed)
{
    static constexpr const char* kVerbs[] = {"interface ip set address ", "interface ip set dns ",
                                             "interface ip add dns ", "interface ip add address "};
    for (const char* pszVerb : kVerbs)
        if (command.rfind(pszVerb, 0) == 0)
            parsed.verb = std::string(pszVerb + 13, std::strlen(pszVerb) - 14);
    const std::size_t name = command.find("name=\"");
    const std::size_t end = name == std::string::npos ? name : command.find('"', name + 6);
    if (parsed.verb.empty() || end == std::string::npos)
        return false;
    parsed.name = command.substr(name + 6, end - name - 6);
    std::istringstream rest(command.substr(end + 1));
    for (std::string word; rest >> word;) {
        const std::size_t equals = word.find('=');
        if (equals != std::string::npos)
            parsed.options[word.substr(0, equals)] = word.substr(equals + 1);
    }
    return true;
}

std::vector<std::string> Split(const std::string& servers)
{
    std::vector<std::string> list;
    std::istringstream in(servers);
    for (std::string item; std::getline(in, item, ',');)
        if (!item.empty())
            list.push_back(item);
    return list;
}

std::string Join(const std::vector<std::string>& list)
{
    std::string text;
    for (const std::string& item : list)
        text += (text.empty() ? "" : ",") + item;
    return text;
}

// An address with its mask, or a gateway with its metric, after those there.
NetshAnswer AddAddress(const std::string& key, IRegistryKey& values, std::map<std::string, std::string>& options,
                       INetshRegistryWriter& writer)
{
    const auto append = [&](const char* pszValue, const std::string& item) {
        const std::string strings = ReadText(values, pszValue);
        writer.SetMultiString(key, pszValue, strings.empty() ? item : strings + '\0' + item);
    };
    const bool bGateway = options.count("gateway") != 0;
    append(bGateway ? "DefaultGateway" : "IPAddress", options[bGateway ? "gateway" : "addr"]);
    append(bGateway ? "DefaultGatewayMetric" : "SubnetMask", options[bGateway ? "gwmetric" : "mask"]);
    return {};
}

} // namespace

NetshAnswer EmulateNetsh(const std::string& command, IRegistry& registry, INetshRegistryWriter& writer,
                         const std::string& refuse)
{
    if (!refuse.empty() && command.find(refuse) != std::string::npos)
        return {1, "The requested operation requires elevation (Run as administrator).\r\n\r\n"};
    Parsed parsed;
    if (!Parse(command, parsed))
        return {1, "The following command was not found: " + command + ".\r\n"};
    const std::string key = InterfaceKeyOf(registry, parsed.name);
    const auto values = key.empty() ? nullptr : registry.OpenLocalMachine(key.c_str(), RegistryAccess::Read);
    if (!values)
        return {1, "The filename, directory name, or volume label syntax is incorrect.\r\n\r\n"};
    auto& options = parsed.options;

    if (parsed.verb == "set address") {
        if (options["source"] == "dhcp") {
            std::uint8_t dhcp[4] = {};
            std::uint32_t size = sizeof dhcp;
            if (values->QueryValue("EnableDHCP", dhcp, size) == reg::kSuccess && dhcp[0] != 0)
                return {1, "DHCP is already enabled on this interface.\r\n\r\n"};
            writer.SetDword(key, "EnableDHCP", 1);
            writer.SetMultiString(key, "IPAddress", "0.0.0.0");
            writer.SetMultiString(key, "SubnetMask", "0.0.0.0");
            writer.SetMultiString(key, "DefaultGateway", "");
            return {};
        }
        writer.SetDword(key, "EnableDHCP", 0);
        writer.SetMultiString(key, "IPAddress", options["addr"]);
        writer.SetMultiString(key, "SubnetMask", options["mask"]);
        writer.SetMultiString(key, "DefaultGateway", options["gateway"] == "0.0.0.0" ? "" : options["gateway"]);
        writer.SetMultiString(key, "DefaultGatewayMetric", options["gateway"] == "0.0.0.0" ? "" : options["gwmetric"]);
        return {};
    }
    if (parsed.verb == "add address")
        return AddAddress(key, *values, options, writer);
    if (parsed.verb == "set dns") {
        writer.SetString(key, "NameServer", options["source"] == "dhcp" ? "" : options["addr"]);
        return {};
    }
    std::vector<std::string> servers = Split(ReadText(*values, "NameServer"));
    const std::size_t index = std::strtoul(options["index"].c_str(), nullptr, 10);
    servers.insert(servers.begin() +
                       static_cast<std::ptrdiff_t>(index >= 1 && index <= servers.size() ? index - 1 : servers.size()),
                   options["addr"]);
    writer.SetString(key, "NameServer", Join(servers));
    return {};
}
