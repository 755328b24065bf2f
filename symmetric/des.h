// des.h: single-DES of one 8-byte block (FIPS 46-3), the one DES routine every Triple-DES is built from.
#pragma once

#include <cstdint>

inline constexpr unsigned DES_ENCRYPT = 0;
inline constexpr unsigned DES_DECRYPT = 1;

// direction 0 encrypts, any other value decrypts. input may be output; key must not overlap output.
// The least significant bit of each key byte (parity) is ignored.
void des_block(unsigned direction, const std::uint8_t input[8], const std::uint8_t key[8],
               std::uint8_t output[8]);
