#include "config/Address.h"

#include <cstdio>

void FormatAddress(std::uint32_t dwAddress, char* pszText)
{
    std::snprintf(pszText, kAddressTextSize, "%u.%u.%u.%u", dwAddress & 0xFFu, (dwAddress >> 8) & 0xFFu,
                  (dwAddress >> 16) & 0xFFu, dwAddress >> 24);
}

namespace {

bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Reads one number as "%d" would, but wraps in 32 bits instead of leaving
// an out-of-range value undefined.
bool ReadNumber(const char*& p, std::uint32_t& value)
{
    while (IsSpace(*p))
        ++p;
    const bool negative = *p == '-';
    const char* digits = (*p == '-' || *p == '+') ? p + 1 : p;
    if (*digits < '0' || *digits > '9')
        return false;
    std::uint32_t n = 0;
    for (p = digits; *p >= '0' && *p <= '9'; ++p)
        n = n * 10u + static_cast<std::uint32_t>(*p - '0');
    value = negative ? 0u - n : n;
    return true;
}

} // namespace

void ParseAddress(const char* pszText, std::uint32_t& dwAddress)
{
    std::uint32_t result = 0;
    const char* p = pszText;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (*p != '.')
                break;
            ++p;
        }
        std::uint32_t number = 0;
        if (!ReadNumber(p, number))
            break;
        result += number << (8 * i);
    }
    dwAddress = result;
}

std::uint32_t ParseAddress(const char* pszText)
{
    std::uint32_t dwAddress = 0;
    ParseAddress(pszText, dwAddress);
    return dwAddress;
}
