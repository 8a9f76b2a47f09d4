#include "config/Ipv4Addr.h"

#include "config/Address.h"

Ipv4Addr Ipv4Addr::Parse(const char* pszText)
{
    return FromValue(ParseAddress(pszText));
}

std::string Ipv4Addr::Dotted() const
{
    char szText[kAddressTextSize];
    FormatAddress(m_dwValue, szText);
    return szText;
}
