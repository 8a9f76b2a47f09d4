#include "net/SettingsText.h"

#include "config/Address.h"

#include <cstring>
#include <string>

std::uint32_t SettingsItem(const char* pszText, unsigned k)
{
    static constexpr const char* kSeparators = " ,";
    const char* p = pszText;
    for (;;) {
        p += std::strspn(p, kSeparators);
        if (*p == '\0')
            return 0;
        const std::size_t length = std::strcspn(p, kSeparators);
        if (k == 0) {
            const std::string token(p, length);
            std::uint32_t dwAddress = 0;
            ParseAddress(token.c_str(), dwAddress);
            return dwAddress;
        }
        --k;
        p += length;
    }
}
