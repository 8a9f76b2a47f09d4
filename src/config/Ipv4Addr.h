#pragma once

#include <cstdint>
#include <string>

// An IPv4 address that knows its two byte orders. Stored as the address
// value (the first dotted number in the least significant byte), the form of
// the configuration file and of the netsh commands; the address controls and
// the stored test address hold control order (the first dotted number in the
// most significant byte). Converting between the two happens here only.
class Ipv4Addr {
public:
    constexpr Ipv4Addr() = default;

    static constexpr Ipv4Addr FromValue(std::uint32_t dwValue) { return Ipv4Addr(dwValue); }
    static constexpr Ipv4Addr FromControlOrder(std::uint32_t dwControl) { return Ipv4Addr(ReverseBytes(dwControl)); }
    // Dotted text as the address parser reads it (numbers above 255 carry).
    static Ipv4Addr Parse(const char* pszText);

    constexpr std::uint32_t Value() const { return m_dwValue; }
    constexpr std::uint32_t ControlOrder() const { return ReverseBytes(m_dwValue); }
    // 0.0.0.0 stands for no address: an empty field, slot or gateway.
    constexpr bool IsNone() const { return m_dwValue == 0; }
    std::string Dotted() const;

    friend constexpr bool operator==(Ipv4Addr, Ipv4Addr) = default;

    static constexpr std::uint32_t ReverseBytes(std::uint32_t dw)
    {
        return (dw >> 24) | ((dw >> 8) & 0x0000FF00u) | ((dw << 8) & 0x00FF0000u) | (dw << 24);
    }

private:
    explicit constexpr Ipv4Addr(std::uint32_t dwValue) : m_dwValue(dwValue) {}

    std::uint32_t m_dwValue = 0;
};
