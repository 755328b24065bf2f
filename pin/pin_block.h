// pin_block.h: ISO 9564-1 PIN blocks: the clear blocks of formats 0 to 3, and the AES format 4
// (its plain-text PIN field, PAN field, and the encipher-XOR-encipher that joins them).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "symmetric/block_key.h"

// One rule a PIN block or its inputs can break; each has its own message.
enum class PinRule {
    Ok,
    ControlDigit, // the control field names another format, or none of 0 to 4
    PinLength,    // fewer than 4 or more than 12 PIN digits
    PinDigit,     // a PIN digit above 9
    FillDigit,    // a fill digit the format does not allow (F for 0, 2, 4's first half; A to F for 3)
    PanMissing,   // formats 0 and 3 need a PAN
    PanLength,    // formats 0 and 3: 13 to 19 digits; format 4: 1 to 19
    BlockLength,  // 8 bytes for formats 0 to 3, 16 for format 4
    PanDigit,     // a PAN character other than '0' to '9'
    FillLength,   // fewer fill digits than the block has room for
};

std::string_view pin_rule_message(PinRule rule); // e.g. "Invalid PIN length!"

// The control field (first digit) of each format.
enum PinFormat : int { PIN_FORMAT_0 = 0, PIN_FORMAT_1 = 1, PIN_FORMAT_2 = 2, PIN_FORMAT_3 = 3, PIN_FORMAT_4 = 4 };

inline constexpr int PIN_MIN_DIGITS = 4;
inline constexpr int PIN_MAX_DIGITS = 12;
inline constexpr int PIN_BLOCK_BYTES = 8;
inline constexpr int FORMAT4_BLOCK_BYTES = 16;

// The fill digits a clear block holds behind a PIN of that many digits (14 - length).
constexpr int pin_fill_digits(std::size_t pin_length) { return 14 - static_cast<int>(pin_length); }

// pin and pan are decimal digit strings ('0'..'9' characters), as the digit fields hold them.
// fill: the fill digits as values 0 to 15, one a byte, at least pin_fill_digits(pin.size()) of them, for
// format 1 (any value) and format 3 (10 to 15); formats 0 and 2 fill with 15 and take none. The caller draws
// them from the program's generator when the user typed none.
PinRule pin_block_build(int format, std::string_view pin, std::string_view pan, std::span<const std::uint8_t> fill,
                        std::uint8_t block[8]);

// Formats 0 to 3, the format taken from the control digit; the PAN is only read by formats 0 and 3.
PinRule pin_block_read(std::span<const std::uint8_t> block, std::string_view pan, std::string& pin, int& format);
// The same, also giving the fill digits ('0'..'9', 'A'..'F') that follow the PIN.
PinRule pin_block_read(std::span<const std::uint8_t> block, std::string_view pan, std::string& pin, int& format,
                       std::string& fill);

// ISO 9564-1:2017 format 4. The plain-text PIN field: 4, length, PIN, fill A to the 16th digit, then the
// 8 random bytes.
PinRule format4_pin_field(std::string_view pin, const std::uint8_t random[8], std::uint8_t field[16]);
// The PAN field: the PAN length minus 12 (0 below 13 digits), the PAN (left-padded with zeros to 12
// digits), zeros behind.
PinRule format4_pan_field(std::string_view pan, std::uint8_t field[16]);
// E(E(PIN field) xor PAN field), and its inverse, under an AES key.
void format4_encipher(const BlockKey& aes, const std::uint8_t pin_field[16], const std::uint8_t pan_field[16],
                      std::uint8_t block[16]);
void format4_decipher(const BlockKey& aes, const std::uint8_t block[16], const std::uint8_t pan_field[16],
                      std::uint8_t pin_field[16]);
// The PIN of a plain-text PIN field; its random bytes are the field's last 8.
PinRule format4_read_pin_field(const std::uint8_t pin_field[16], std::string& pin);
