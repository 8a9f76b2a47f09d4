#pragma once

#include "config/Ipv4Addr.h"

// Whether a host answers an ICMP echo request.
class IEchoProbe {
public:
    virtual ~IEchoProbe() = default;
    // 1 when an answer arrived, 0 otherwise (also when the probe failed).
    virtual int Ping(Ipv4Addr host) = 0;
};
