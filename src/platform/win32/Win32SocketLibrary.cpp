#include "platform/win32/Win32SocketLibrary.h"

#include <winsock2.h>

#include <cstring>

namespace {

sockaddr_in ToSockaddr(std::uint32_t dwAddress)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = 0;
    std::memcpy(&address.sin_addr, &dwAddress, sizeof dwAddress);
    return address;
}

class CWin32RawSocket final : public IRawSocket {
public:
    explicit CWin32RawSocket(SOCKET s) : m_socket(s) {}
    CWin32RawSocket(const CWin32RawSocket&) = delete;
    CWin32RawSocket& operator=(const CWin32RawSocket&) = delete;
    ~CWin32RawSocket() override
    {
        if (m_open)
            ::closesocket(m_socket);
    }

    int SendTo(const void* pData, int nSize, std::uint32_t dwAddress) override
    {
        const sockaddr_in to = ToSockaddr(dwAddress);
        return ::sendto(m_socket, static_cast<const char*>(pData), nSize, 0, reinterpret_cast<const sockaddr*>(&to),
                        sizeof to);
    }

    int WaitReadable(std::uint32_t milliseconds) override
    {
        fd_set readable{};
        readable.fd_count = 1;
        readable.fd_array[0] = m_socket;
        timeval timeout{};
        timeout.tv_sec = static_cast<long>(milliseconds / 1000);
        timeout.tv_usec = static_cast<long>(milliseconds % 1000) * 1000;
        return ::select(1, &readable, nullptr, nullptr, &timeout);
    }

    int ReceiveFrom(void* pBuffer, int nSize, std::uint32_t& dwSource) override
    {
        sockaddr_in from{};
        int fromSize = sizeof from;
        const int count =
            ::recvfrom(m_socket, static_cast<char*>(pBuffer), nSize, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
        std::memcpy(&dwSource, &from.sin_addr, sizeof dwSource);
        return count;
    }

    bool Close() override
    {
        if (!m_open)
            return true;
        m_open = false;
        return ::closesocket(m_socket) == 0;
    }

private:
    SOCKET m_socket;
    bool m_open = true;
};

} // namespace

bool CWin32SocketLibrary::Startup()
{
    WSADATA data;
    return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

void CWin32SocketLibrary::Cleanup()
{
    ::WSACleanup();
}

std::unique_ptr<IRawSocket> CWin32SocketLibrary::OpenIcmp()
{
    const SOCKET s = ::socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
    if (s == INVALID_SOCKET)
        return nullptr;
    return std::make_unique<CWin32RawSocket>(s);
}

long CWin32SocketLibrary::LastError()
{
    return ::WSAGetLastError();
}
