#include "config/Crc32.h"

#include <array>
#include <cstddef>
#include <memory>

namespace {

using Tables = std::array<std::array<std::uint32_t, 256>, 16>;

// Sixteen tables let the loop take sixteen bytes a step: a file of ten
// thousand configurations is checked in a few milliseconds. They are filled
// in on the heap at first use, so that they take no room in the program
// file.
std::unique_ptr<const Tables> MakeTables()
{
    auto tables = std::make_unique<Tables>();
    Tables& t = *tables;
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t crc = i;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? crc >> 1 ^ 0xEDB88320u : crc >> 1;
        t[0][i] = crc;
    }
    for (std::size_t k = 1; k < t.size(); ++k)
        for (std::size_t i = 0; i < 256; ++i)
            t[k][i] = t[k - 1][i] >> 8 ^ t[0][t[k - 1][i] & 0xFF];
    return tables;
}

std::uint32_t Le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

} // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes)
{
    static const std::unique_ptr<const Tables> tables = MakeTables();
    const Tables& kTables = *tables;
    std::uint32_t crc = 0xFFFFFFFFu;
    const std::uint8_t* p = bytes.data();
    std::size_t n = bytes.size();
    for (; n >= 16; n -= 16, p += 16) {
        const std::uint32_t w0 = Le32(p) ^ crc;
        const std::uint32_t w1 = Le32(p + 4);
        const std::uint32_t w2 = Le32(p + 8);
        const std::uint32_t w3 = Le32(p + 12);
        crc = kTables[15][w0 & 0xFF] ^ kTables[14][w0 >> 8 & 0xFF] ^ kTables[13][w0 >> 16 & 0xFF] ^
              kTables[12][w0 >> 24] ^ kTables[11][w1 & 0xFF] ^ kTables[10][w1 >> 8 & 0xFF] ^
              kTables[9][w1 >> 16 & 0xFF] ^ kTables[8][w1 >> 24] ^ kTables[7][w2 & 0xFF] ^ kTables[6][w2 >> 8 & 0xFF] ^
              kTables[5][w2 >> 16 & 0xFF] ^ kTables[4][w2 >> 24] ^ kTables[3][w3 & 0xFF] ^ kTables[2][w3 >> 8 & 0xFF] ^
              kTables[1][w3 >> 16 & 0xFF] ^ kTables[0][w3 >> 24];
    }
    for (; n > 0; --n, ++p)
        crc = crc >> 8 ^ kTables[0][(crc ^ *p) & 0xFF];
    return crc ^ 0xFFFFFFFFu;
}
