#pragma once

#include "config/ConnectionSettings.h"
#include "config/Ipv4Addr.h"

#include <string>
#include <string_view>
#include <vector>

// The netsh command texts for one connection. An address of 0.0.0.0 first
// asks for DHCP; a DNS server after an empty slot is never sent.

std::string BuildAddressCommand(std::string_view connection, Ipv4Addr address, Ipv4Addr mask, Ipv4Addr gateway);

// The address part of the settings: DHCP alone, or the first address, mask
// and gateway set, then one command for each further address and each
// further gateway, which netsh adds to what the first one left.
std::vector<std::string> BuildAddressCommands(std::string_view connection, const ConnectionSettings& settings);

std::vector<std::string> BuildDnsCommands(std::string_view connection, Ipv4Addr dns1, Ipv4Addr dns2, Ipv4Addr dns3);

// A name that stays one quoted argument: not empty, no double quote or
// control character, which could end the quotes or the line early, and no
// backslash at its end.
bool IsSafeConnectionName(std::string_view connection);
