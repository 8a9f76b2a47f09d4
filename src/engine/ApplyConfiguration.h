#pragma once

#include "engine/EngineServices.h"

#include <cstdint>

// The settings the main dialog shows when its Apply button is pressed.
// Addresses are in control order (first dotted number in the most
// significant byte), as the address controls give them; 0 when empty.
struct ApplyInputs {
    int nConnection;  // the connection box's selection; negative when none
    int nAddressMode; // 0: obtain the address by DHCP
    int nDnsMode;     // 0: obtain DNS servers by DHCP
    std::uint32_t dwIpAddress;
    std::uint32_t dwSubnetMask;
    std::uint32_t dwGateway;
    std::uint32_t dwDns1;
    std::uint32_t dwDns2;
    std::uint32_t dwDns3;
};

// Applies the shown settings to the selected connection: the address, then
// the DNS servers, while the progress display says what is being done.
class CApplyConfiguration {
public:
    explicit CApplyConfiguration(const EngineServices& services) : m_services(services) {}

    void Run(const ApplyInputs& inputs);

private:
    EngineServices m_services;
};
