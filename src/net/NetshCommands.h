#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The netsh command texts for one connection. Address values of 0 ask for
// DHCP; a DNS server after an empty slot is never sent.

std::string BuildAddressCommand(std::string_view connection, std::uint32_t dwAddress, std::uint32_t dwMask,
                                std::uint32_t dwGateway);

std::vector<std::string> BuildDnsCommands(std::string_view connection, std::uint32_t dwDns1, std::uint32_t dwDns2,
                                          std::uint32_t dwDns3);

// A name that stays one quoted argument: not empty, no double quote or
// control character, which could end the quotes or the line early, and no
// backslash at its end.
bool IsSafeConnectionName(std::string_view connection);
