// Stands in for netsh.exe: appends "<own path>|<command line>" in UTF-8 to
// the file named by TOLVI_NETSH_LOG, does to the prefix's registry what netsh
// does to the connection's TCP/IP values, prints what netsh would in the OEM
// code page and exits with its code; then sleeps TOLVI_STANDIN_SLEEP_MS if it
// is set. A command holding
// the text of TOLVI_NETSH_REFUSE is refused and changes nothing.
#include "fakes/NetshEmulator.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class CWineRegistryWriter final : public INetshRegistryWriter {
public:
    void SetDword(const std::string& key, const char* pszValue, std::uint32_t dwValue) override
    {
        Set(key, pszValue, REG_DWORD, &dwValue, sizeof dwValue);
    }
    void SetString(const std::string& key, const char* pszValue, const std::string& text) override
    {
        Set(key, pszValue, REG_SZ, text.c_str(), text.size() + 1);
    }
    void SetMultiString(const std::string& key, const char* pszValue, const std::string& text) override
    {
        std::vector<char> data(text.begin(), text.end());
        data.insert(data.end(), text.empty() ? 1 : 2, '\0');
        Set(key, pszValue, REG_MULTI_SZ, data.data(), data.size());
    }

private:
    static void Set(const std::string& key, const char* pszValue, DWORD type, const void* pData, std::size_t size)
    {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
            return;
        ::RegSetValueExA(hKey, pszValue, 0, type, static_cast<const BYTE*>(pData), static_cast<DWORD>(size));
        ::RegCloseKey(hKey);
    }
};

} // namespace

int main()
{
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    // Read wide, so the log shows the very name the program was given.
    const std::string commandLine = Utf8(::GetCommandLineW());
    const char* pszCommandLine = commandLine.c_str();
    if (const char* log = std::getenv("TOLVI_NETSH_LOG")) {
        if (FILE* f = std::fopen(log, "ab")) {
            std::fprintf(f, "%s|%s\n", Utf8(self).c_str(), pszCommandLine);
            std::fclose(f);
        }
    }
    const char* pszCommand = std::strstr(pszCommandLine, "interface ");
    CWin32Registry registry;
    CWineRegistryWriter writer;
    const char* pszRefuse = std::getenv("TOLVI_NETSH_REFUSE");
    const NetshAnswer answer = EmulateNetsh(pszCommand ? pszCommand : "", registry, writer, pszRefuse ? pszRefuse : "");
    // The lines already end in CR LF, as netsh's do.
    _setmode(_fileno(stdout), _O_BINARY);
    std::fputs(Narrowed(CP_OEMCP, Wide(answer.output), 0, nullptr).value_or("").c_str(), stdout);
    std::fflush(stdout);
    if (const char* sleep = std::getenv("TOLVI_STANDIN_SLEEP_MS"))
        ::Sleep(static_cast<DWORD>(std::strtoul(sleep, nullptr, 10)));
    return static_cast<int>(answer.exitCode);
}
