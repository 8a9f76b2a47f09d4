#include "framework/ThreadMessagePump.h"
#include "net/Ping.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32SocketLibrary.h"

#include <winsock2.h>

#include <gtest/gtest.h>

namespace {

// Runs as root, as CI does: raw ICMP sockets need it.
TEST(Win32Ping, LoopbackAnswersPastTheSocketsOwnRequest)
{
    CWin32SocketLibrary sockets;
    CWin32Clock clock;
    CThreadMessagePump pump;
    CPing ping(sockets, clock, pump);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        EXPECT_EQ(ping.Ping(Ipv4Addr::Parse("127.0.0.1")), 1);
        EXPECT_TRUE(ping.Diagnostics().empty());
    }
}

TEST(Win32Ping, ReleasesTheSocketLibraryOncePerProbe)
{
    CWin32SocketLibrary sockets;
    CWin32Clock clock;
    CThreadMessagePump pump;
    CPing ping(sockets, clock, pump);
    ASSERT_EQ(ping.Ping(Ipv4Addr::Parse("127.0.0.1")), 1);
    // Released as often as started: the library is no longer up.
    EXPECT_EQ(::socket(AF_INET, SOCK_DGRAM, 0), INVALID_SOCKET);
    EXPECT_EQ(::WSAGetLastError(), WSANOTINITIALISED);
}

} // namespace
