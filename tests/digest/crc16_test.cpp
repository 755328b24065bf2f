// crc16_test.cpp: the CRC16 register against published check values, and its zero residue.
#include <gtest/gtest.h>

#include <vector>

#include "digest/crc16.h"
#include "tests/digest/hex.h"

namespace {

struct CrcCase {
    const char* name;
    std::uint16_t initial;
    std::vector<std::uint8_t> data;
    std::uint16_t crc;
};

// Check values of "123456789" from the Catalogue of parametrised CRC algorithms (Greg Cook):
// CRC-16/XMODEM (init 0000), CRC-16/IBM-3740 alias CCITT-FALSE (init FFFF) and CRC-16/SPI-FUJITSU
// alias AUG-CCITT (init 1D0F), all with polynomial 1021, no reflection and no final xor. Then the
// empty message, which leaves any initial value as it is, and two short messages.
const CrcCase cases[] = {
    {.name = "XMODEM check", .initial = 0x0000, .data = ascii_bytes("123456789"), .crc = 0x31C3},
    {.name = "CCITT-FALSE check", .initial = 0xFFFF, .data = ascii_bytes("123456789"), .crc = 0x29B1},
    {.name = "AUG-CCITT check", .initial = 0x1D0F, .data = ascii_bytes("123456789"), .crc = 0xE5CC},
    {.name = "AUG-CCITT of 01 02", .initial = 0x1D0F, .data = {0x01, 0x02}, .crc = 0x97B3},
    {.name = "empty, zero", .initial = 0x0000, .data = {}, .crc = 0x0000},
    {.name = "empty, 1234", .initial = 0x1234, .data = {}, .crc = 0x1234},
    {.name = "empty, FFFF", .initial = 0xFFFF, .data = {}, .crc = 0xFFFF},
    // "A" with init FFFF: the value given for it in the widely cited "CRC-CCITT -- 16-bit" notes.
    {.name = "CCITT-FALSE of A", .initial = 0xFFFF, .data = ascii_bytes("A"), .crc = 0xB915},
};

TEST(Crc16, PublishedValues)
{
    for (const CrcCase& c : cases)
        EXPECT_EQ(crc16(c.initial, c.data), c.crc)
            << c.name << ": got " << std::hex << crc16(c.initial, c.data) << ", want " << c.crc;
}

// Without a final xor, a message followed by its own CRC (high byte first) leaves a zero register,
// whatever the initial value.
TEST(Crc16, MessageFollowedByItsCrcLeavesZero)
{
    for (std::uint16_t initial : {0x0000, 0xFFFF, 0x1D0F, 0x8005}) {
        for (std::size_t n : {0u, 1u, 2u, 9u, 64u, 1024u}) {
            std::vector<std::uint8_t> m = pattern(n, initial + 7u);
            std::uint16_t crc = crc16(std::uint16_t(initial), m);
            m.push_back(std::uint8_t(crc >> 8));
            m.push_back(std::uint8_t(crc));
            EXPECT_EQ(crc16(std::uint16_t(initial), m), 0) << "initial " << std::hex << initial << ", " << std::dec
                                                           << n << " bytes: " << to_hex(m);
        }
    }
}

// Continuing from the CRC of a prefix, taken as the next initial value, is the CRC of the whole.
TEST(Crc16, InitialValueContinuesARun)
{
    const std::vector<std::uint8_t> m = pattern(300);
    for (std::size_t cut : {0u, 1u, 150u, 299u, 300u}) {
        std::span<const std::uint8_t> all(m);
        std::uint16_t head = crc16(0xFFFF, all.first(cut));
        EXPECT_EQ(crc16(head, all.subspan(cut)), crc16(0xFFFF, all)) << "cut at " << cut;
    }
}

} // namespace
