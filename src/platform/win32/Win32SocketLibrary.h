#pragma once

#include "platform/SocketLibrary.h"

// Windows Sockets 2.2. Address values are copied straight into and out of
// in_addr, which holds the first dotted number in its first byte.
class CWin32SocketLibrary final : public ISocketLibrary {
public:
    bool Startup() override;
    void Cleanup() override;
    std::unique_ptr<IRawSocket> OpenIcmp() override;
    long LastError() override;
};
