// decimalise.h: hexadecimal digits to decimal digits, by the scan of the CVV and PVV methods or through
// a 16-digit decimalisation table (IBM 3624).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The bytes as upper-case hexadecimal digits, two a byte.
std::string hex_digits(std::span<const std::uint8_t> bytes);

// Packs hexadecimal digits (an even count, either case) into bytes; false on any other character.
bool pack_hex(std::string_view digits, std::span<std::uint8_t> out);

// The decimal digits of hex left to right, then its digits A to F less ten, left to right.
std::string decimalise_scan(std::string_view hex);

// Each hexadecimal digit of hex replaced by the table's digit at its value; table holds 16 digits.
std::string decimalise_table(std::string_view hex, std::string_view table);
