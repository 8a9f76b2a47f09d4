// Prepares a Wine prefix for trying Tolvi on Linux, where the registry has
// no network connections and nothing should ever ping a public address.
//   tolvi_demo_setup connections   names every adapter Wine reports and
//                                  stores its current settings as Windows would
//   tolvi_demo_setup config DIR    writes DIR\Tolvi.cfg unless there is one
//   tolvi_demo_setup close TITLE   asks the top-level window TITLE to close
//   tolvi_demo_setup press TITLE BUTTON   presses the button of that text in
//                                  the top-level window TITLE
//   tolvi_demo_setup rect CLASS    waits for a visible top-level window of the
//                                  class and prints where it is, as WxH+X+Y
#include "config/Address.h"
#include "config/ConfigList.h"
#include "platform/SystemFileSystem.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32CodePage.h"

#include <windows.h>

#include <iphlpapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kConnectionClassKey =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";

class CRegKey {
public:
    CRegKey() = default;
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    ~CRegKey()
    {
        if (m_hKey)
            ::RegCloseKey(m_hKey);
    }
    HKEY* Out() { return &m_hKey; }
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

constexpr const char* kInterfacesKey = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";

struct Adapter {
    std::string guid;
    std::string description;
    std::string address, mask, gateway;
    bool HasAddress() const { return address != "0.0.0.0" && !address.empty(); }
};

std::vector<Adapter> ReadAdapters()
{
    ULONG size = 0;
    std::vector<unsigned char> buffer;
    DWORD result = ERROR_BUFFER_OVERFLOW;
    while (result == ERROR_BUFFER_OVERFLOW) {
        buffer.resize(size ? size : sizeof(IP_ADAPTER_INFO));
        size = static_cast<ULONG>(buffer.size());
        result = ::GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
    }
    std::vector<Adapter> adapters;
    if (result != ERROR_SUCCESS)
        return adapters;
    for (auto* p = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()); p; p = p->Next)
        adapters.push_back({p->AdapterName, p->Description, p->IpAddressList.IpAddress.String,
                            p->IpAddressList.IpMask.String, p->GatewayList.IpAddress.String});
    return adapters;
}

// The host's DNS servers, comma-separated as the registry keeps them.
std::string NameServers()
{
    ULONG size = 0;
    ::GetNetworkParams(nullptr, &size);
    std::vector<unsigned char> buffer(size ? size : sizeof(FIXED_INFO));
    if (::GetNetworkParams(reinterpret_cast<FIXED_INFO*>(buffer.data()), &size) != ERROR_SUCCESS)
        return {};
    std::string servers;
    for (const IP_ADDR_STRING* p = &reinterpret_cast<FIXED_INFO*>(buffer.data())->DnsServerList; p; p = p->Next) {
        if (p->IpAddress.String[0] == '\0')
            continue;
        if (!servers.empty())
            servers += ',';
        servers += p->IpAddress.String;
    }
    return servers;
}

bool SetValue(const std::string& path, const char* pszName, DWORD type, const void* pData, std::size_t nSize)
{
    CRegKey key;
    return ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, Wide(path).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.Out(),
                             nullptr) == ERROR_SUCCESS &&
           ::RegSetValueExW(key.Get(), Wide(pszName).c_str(), 0, type, static_cast<const BYTE*>(pData),
                            static_cast<DWORD>(nSize)) == ERROR_SUCCESS;
}

// Texts go in wide, as Windows keeps them, with one terminator added.
bool SetWide(const std::string& path, const char* pszName, DWORD type, const std::wstring& text)
{
    return SetValue(path, pszName, type, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

bool SetText(const std::string& path, const char* pszName, const std::string& text)
{
    return SetWide(path, pszName, REG_SZ, Wide(text));
}

bool SetTexts(const std::string& path, const char* pszName, const std::string& text)
{
    return SetWide(path, pszName, REG_MULTI_SZ, Wide(text) + L'\0');
}

// The settings Wine reports, stored as a static configuration: Wine itself
// keeps none in the registry.
bool StoreSettings(const Adapter& adapter, const std::string& nameServers)
{
    const std::string path = kInterfacesKey + adapter.guid;
    const DWORD dwStatic = 0;
    return SetValue(path, "EnableDHCP", REG_DWORD, &dwStatic, sizeof dwStatic) &&
           SetTexts(path, "IPAddress", adapter.address) && SetTexts(path, "SubnetMask", adapter.mask) &&
           SetTexts(path, "DefaultGateway", adapter.gateway) && SetText(path, "NameServer", nameServers);
}

// "Local Area Network" for the first adapter with an address, as Windows
// would name a wired connection; the host's own interface name for the rest.
int NameConnections()
{
    const std::vector<Adapter> adapters = ReadAdapters();
    const std::string nameServers = NameServers();
    bool bNamedLan = false;
    for (const Adapter& adapter : adapters) {
        std::string name = adapter.description;
        if (adapter.HasAddress() && !bNamedLan) {
            name = "Local Area Network";
            bNamedLan = true;
        }
        const std::string path = std::string(kConnectionClassKey) + "\\" + adapter.guid + "\\Connection";
        if (!SetText(path, "Name", name) || !StoreSettings(adapter, nameServers)) {
            std::fprintf(stderr, "cannot name %s\n", adapter.guid.c_str());
            return 1;
        }
        std::printf("%s  %-20s %s\n", adapter.guid.c_str(), name.c_str(), adapter.address.c_str());
    }
    if (adapters.empty())
        std::printf("Wine reports no network adapter here; Tolvi will list no connection.\n");
    return 0;
}

// A few configurations to try, and a test address on loopback.
int WriteConfig(const std::string& folder)
{
    CSystemFileSystem files;
    CWin32CodePage codePage;
    CConfigList list(files, codePage);
    const std::string path = folder + "\\" + CConfigList::kFileName;
    if (list.Load(path) != LoadResult::Missing) {
        std::printf("%s is kept as it is\n", path.c_str());
        return 0;
    }
    PREFERENCES& preferences = list.GetPreferences();
    preferences.dwTestAddress = 0x7F000001; // 127.0.0.1, in control order
    std::snprintf(preferences.szDefaultConnection, sizeof preferences.szDefaultConnection, "Local Area Network");
    const char* lan = "Local Area Network";
    const auto at = [](const char* pszText) { return Ipv4Addr::Parse(pszText); };
    list.Add("Office", lan,
             {false,
              at("192.168.10.25"),
              at("255.255.255.0"),
              at("192.168.10.1"),
              false,
              {at("192.168.10.2"), at("192.168.10.3"), {}},
              {},
              {}});
    // Settings Windows can hold: with a static address it takes no DNS
    // servers from DHCP, and a configuration asking for that never shows as
    // in force. The lab's PC is on a management subnet too, with a gateway
    // there for when the lab's fails.
    list.Add("Lab", lan,
             {false,
              at("10.20.0.15"),
              at("255.255.0.0"),
              at("10.20.0.1"),
              false,
              {at("10.20.0.53"), {}, {}},
              {{at("192.168.77.15"), at("255.255.255.0")}},
              {{at("192.168.77.1"), 10}}});
    list.Add("Home", lan, {});
    if (list.Save(path) == SaveResult::Failed) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("%s written, test address 127.0.0.1\n", path.c_str());
    return 0;
}

int Close(const char* pszTitle)
{
    const HWND hWnd = ::FindWindowA(nullptr, pszTitle);
    if (!hWnd) {
        std::fprintf(stderr, "no window \"%s\"\n", pszTitle);
        return 1;
    }
    return ::PostMessageA(hWnd, WM_CLOSE, 0, 0) ? 0 : 1;
}

int Press(const char* pszTitle, const char* pszButton)
{
    const HWND hWnd = ::FindWindowA(nullptr, pszTitle);
    const HWND hButton = hWnd ? ::FindWindowExA(hWnd, nullptr, "Button", pszButton) : nullptr;
    if (!hButton) {
        std::fprintf(stderr, "no button \"%s\" in \"%s\"\n", pszButton, pszTitle);
        return 1;
    }
    // Posted: a button that opens a modal dialog would not return.
    return ::PostMessageA(hButton, BM_CLICK, 0, 0) ? 0 : 1;
}

int PrintRect(const char* pszClass)
{
    for (int nTries = 0; nTries < 200; ++nTries, ::Sleep(50)) {
        const HWND hWnd = ::FindWindowA(pszClass, nullptr);
        RECT rect{};
        if (hWnd && ::IsWindowVisible(hWnd) && ::GetWindowRect(hWnd, &rect)) {
            std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
            return 0;
        }
    }
    std::fprintf(stderr, "no window of class \"%s\"\n", pszClass);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "connections" && argc == 2)
        return NameConnections();
    if (verb == "config" && argc == 3)
        return WriteConfig(argv[2]);
    if (verb == "close" && argc == 3)
        return Close(argv[2]);
    if (verb == "press" && argc == 4)
        return Press(argv[2], argv[3]);
    if (verb == "rect" && argc == 3)
        return PrintRect(argv[2]);
    std::fprintf(stderr, "usage: tolvi_demo_setup connections | config DIR | close TITLE | press TITLE BUTTON | rect "
                         "CLASS\n");
    return 2;
}
