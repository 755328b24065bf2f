// crc16.cpp: the CRC16 register stepped a byte at a time through a table of the 256 bit-wise results.
#include "digest/crc16.h"

#include <array>

namespace {

constexpr std::uint16_t POLYNOMIAL = 0x1021;

// Eight bit steps of the register with the byte in the high half of D: when bit 15 of
// (D xor register) is set, shift and xor the polynomial, else just shift.
constexpr std::uint16_t bitwise(std::uint16_t reg, std::uint8_t byte)
{
    std::uint16_t d = std::uint16_t(byte << 8);
    for (int bit = 0; bit < 8; ++bit) {
        bool top = ((d ^ reg) & 0x8000) != 0;
        reg = std::uint16_t(reg << 1);
        if (top)
            reg ^= POLYNOMIAL;
        d = std::uint16_t(d << 1);
    }
    return reg;
}

// TABLE[n] = the register after the eight steps of byte n from a zero register. The steps are linear,
// so a register r and byte b give (r << 8) xor TABLE[(r >> 8) xor b].
consteval std::array<std::uint16_t, 256> make_table()
{
    std::array<std::uint16_t, 256> table{};
    for (int n = 0; n < 256; ++n)
        table[n] = bitwise(0, std::uint8_t(n));
    return table;
}

constexpr std::array<std::uint16_t, 256> TABLE = make_table();

} // namespace

std::uint16_t crc16(std::uint16_t initial, std::span<const std::uint8_t> data)
{
    std::uint16_t reg = initial;
    for (std::uint8_t byte : data)
        reg = std::uint16_t((reg << 8) ^ TABLE[(reg >> 8) ^ byte]);
    return reg;
}
