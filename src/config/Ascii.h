#pragma once

#include <string>
#include <string_view>

// Letter case of ASCII only: switches, the text form's keys and Windows paths
// ignore it, while names stay byte for byte whatever the code page.
char AsciiLower(char c);
std::string AsciiLowered(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
