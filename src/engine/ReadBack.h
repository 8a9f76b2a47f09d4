#pragma once

#include "config/ConnectionSettings.h"
#include "net/Connections.h"

#include <cstddef>
#include <string>
#include <vector>

// Judging an apply by the settings read back afterwards: what the commands
// for `asked` should have left in force, compared with what `now` holds. An
// address of 0.0.0.0 or an empty first DNS server is sent as DHCP, and a
// server after an empty slot is never sent. A DHCP lease is not waited for:
// only that DHCP is on.

// The address mode and, for a static address, every address with its mask
// and every gateway with its metric (but the first gateway's), in order.
bool AddressTook(const ConnectionSettings& asked, const ConnectionSettings& now);
// A line for each of those that is not as asked.
std::vector<std::string> AddressNotTaken(const ConnectionSettings& asked, const ConnectionSettings& now);

// One line for each of the addresses, masks, gateways, metrics and DNS
// servers that is not as asked, such as "IP address: asked 10.1.0.20, has
// DHCP" or "IP address 2: asked 10.2.0.20, has none"; none when everything
// took.
std::vector<std::string> WhatDidNotTake(const ConnectionSettings& asked, const ConnectionSettings& now);

// For address k of the asked ones (0: the first) that Windows found in use
// by another computer.
std::string UsedElsewhereLine(const ConnectionSettings& asked, std::size_t k);

// The heading, the lines and the last line netsh printed, and whether netsh
// had to be ended, for a message box.
std::string NotTakenText(const std::string& heading, const std::vector<std::string>& lines, const NetshRuns& runs);
