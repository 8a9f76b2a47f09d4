// Stands in for netsh.exe: appends "<own path>|<command line>" to the file
// named by TOLVI_NETSH_LOG, then sleeps TOLVI_STANDIN_SLEEP_MS if it is set.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main()
{
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (const char* log = std::getenv("TOLVI_NETSH_LOG")) {
        if (FILE* f = std::fopen(log, "ab")) {
            std::fprintf(f, "%s|%s\n", self, ::GetCommandLineA());
            std::fclose(f);
        }
    }
    if (const char* sleep = std::getenv("TOLVI_STANDIN_SLEEP_MS"))
        ::Sleep(static_cast<DWORD>(std::strtoul(sleep, nullptr, 10)));
    return 1; // netsh's own code for most refusals; callers must not rely on it
}
