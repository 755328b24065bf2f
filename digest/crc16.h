// crc16.h: the CRC16 of the digest operation: polynomial x^16 + x^12 + x^5 + 1 (0x1021), bits taken
// most significant first, no reflection and no final exclusive-or.
#pragma once

#include <cstdint>
#include <span>

// With initial 0x0000 this is the CRC-16 known as XMODEM, with 0xFFFF the one known as CCITT-FALSE.
std::uint16_t crc16(std::uint16_t initial, std::span<const std::uint8_t> data);
