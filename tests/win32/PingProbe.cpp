// Probes one host the way automatic configuration does and prints the
// result, the time it took and the failed steps: "result ms [step...]".
#include "framework/ThreadMessagePump.h"
#include "net/Ping.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32SocketLibrary.h"

#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tolvi_ping_probe DOTTED-ADDRESS\n");
        return 2;
    }
    CWin32SocketLibrary sockets;
    CWin32Clock clock;
    CThreadMessagePump pump;
    CPing ping(sockets, clock, pump);
    const DWORD start = ::GetTickCount();
    const int result = ping.Ping(Ipv4Addr::Parse(argv[1]));
    std::printf("%d %lu", result, ::GetTickCount() - start);
    for (const std::string& step : ping.Diagnostics())
        std::printf(" [%s]", step.c_str());
    std::printf("\n");
    return 0;
}
