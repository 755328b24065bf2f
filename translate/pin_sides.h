// pin_sides.h: the two sides of a PIN translation: a PIN block deciphered and read in its format, and
// a PIN built and enciphered in another. Formats 0, 1 and 3 under Triple-DES, 4 under AES (ISO 9564-1).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "pin/pin_block.h"
#include "symmetric/block_key.h"

// The clear side of a block: the clear PIN block (8 bytes) or format 4's plain-text PIN field (16).
struct ClearPin {
    std::uint8_t bytes[16];
    std::size_t length;
};

// The key of a format: Triple-DES (16 or 24 bytes) for 0, 1 and 3, AES (16, 24 or 32) for 4.
bool format_key(BlockKey& key, int format, std::span<const std::uint8_t> bytes);

// 8 bytes for formats 0 to 3, 16 for format 4.
std::size_t format_block_bytes(int format);

// Formats 0 and 3 take a PAN of 13 to 19 digits, format 4 of 1 to 19; format 1 none.
bool format_takes_pan(int format);
PinRule check_pan(int format, std::string_view pan);

// Deciphers block (of the format's length) and reads the PIN; clear holds the clear side even when the
// block breaks a rule of its format (another control digit included).
PinRule decode_pin_block(int format, const BlockKey& key, std::span<const std::uint8_t> block, std::string_view pan,
                         std::string& pin, ClearPin& clear);

// Builds the clear side of pin in format and enciphers it into block (the format's length). fill: digit values
// for formats 1 and 3 (at least 14 less the PIN length); random: 8 bytes for format 4.
PinRule encode_pin_block(int format, const BlockKey& key, std::string_view pin, std::string_view pan,
                         std::span<const std::uint8_t> fill, std::span<const std::uint8_t> random, ClearPin& clear,
                         std::uint8_t block[16]);
