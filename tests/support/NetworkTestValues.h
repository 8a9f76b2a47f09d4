#pragma once

#include "config/Ipv4Addr.h"

#include <cstdint>
#include <string>

// Written out here rather than taken from the code, so that a wrong key in
// the code is caught.
inline const std::string kConnectionClassKey =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
inline const std::string kInterfacesKey = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";

// The address value of a.b.c.d: the first number in the least significant byte.
constexpr std::uint32_t Ip(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d)
{
    return a | (b << 8) | (c << 16) | (d << 24);
}

constexpr Ipv4Addr At(std::uint32_t dwValue)
{
    return Ipv4Addr::FromValue(dwValue);
}
