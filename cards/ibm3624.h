// ibm3624.h: the IBM 3624 PIN method: validation data enciphered under the PIN verification key and
// decimalised through a table gives the natural PIN; the offset is the customer PIN less it, digit by digit.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "symmetric/block_key.h"

struct NaturalPinSteps {
    std::array<std::uint8_t, 8> data_block; // the validation data padded to 16 hexadecimal digits
    std::array<std::uint8_t, 8> enciphered;
    std::string decimalised;                // all 16 digits through the table
};

// The validation data as typed, or the PAN's digits from start (0: the first), length of them at most.
std::string validation_data_from_pan(std::string_view pan, std::size_t start, std::size_t length);

// data: 1 to 16 hexadecimal digits, padded on the right with pad (one hexadecimal digit);
// key: DES or Triple-DES; table: 16 decimal digits.
NaturalPinSteps natural_pin(std::string_view data, char pad, const BlockKey& key, std::string_view table);

// Digit by digit mod 10: pin - natural (the offset), and natural + offset (the PIN). The offset covers
// the rightmost digits (its length, the check length); the PIN's leftmost digits are the natural PIN's.
std::string pin_offset(std::string_view pin, std::string_view natural, std::size_t check_length);
std::string pin_from_offset(std::string_view natural, std::string_view offset);
