#pragma once

#include "support/ConfigImage.h"

#include <gtest/gtest.h>

#include <cstring>

// Whether a record holds exactly the test record's name and settings; says
// which field differs when it does not.
inline ::testing::AssertionResult SameRecord(const CONFIGURATION* p, const TestRecord& r)
{
    if (!p)
        return ::testing::AssertionFailure() << "no record for \"" << r.name << '"';
    const struct {
        const char* field;
        std::uint32_t actual, expected;
    } numbers[] = {
        {"bDhcpAddress", static_cast<std::uint32_t>(p->bDhcpAddress), static_cast<std::uint32_t>(r.dhcpAddress)},
        {"bDhcpDns", static_cast<std::uint32_t>(p->bDhcpDns), static_cast<std::uint32_t>(r.dhcpDns)},
        {"ipAddress", p->ipAddress.Value(), r.ip},
        {"subnetMask", p->subnetMask.Value(), r.mask},
        {"gateway", p->gateway.Value(), r.gateway},
        {"dns1", p->dns1.Value(), r.dns1},
        {"dns2", p->dns2.Value(), r.dns2},
        {"dns3", p->dns3.Value(), r.dns3},
    };
    if (r.name != p->szName)
        return ::testing::AssertionFailure() << "szName is \"" << p->szName << "\", not \"" << r.name << '"';
    if (r.connection != p->szConnection)
        return ::testing::AssertionFailure() << r.name << ": szConnection is \"" << p->szConnection << '"';
    for (const auto& n : numbers)
        if (n.actual != n.expected)
            return ::testing::AssertionFailure()
                   << r.name << ": " << n.field << " is 0x" << std::hex << n.actual << ", not 0x" << n.expected;
    if (p->moreAddresses != r.moreAddresses || p->moreGateways != r.moreGateways)
        return ::testing::AssertionFailure() << r.name << ": the further addresses or gateways differ";
    return ::testing::AssertionSuccess();
}
