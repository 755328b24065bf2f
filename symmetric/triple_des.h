// triple_des.h: Triple-DES of one block composed from three single-DES calls (ANSI X9.52).
#pragma once

#include <cstdint>

// Encrypts E(K1), D(K2), E(K3); decrypts D(K3), E(K2), D(K1). Keying option 2 passes k3 = k1.
// input may be output.
void tdes_block(unsigned direction, const std::uint8_t input[8], const std::uint8_t k1[8],
                const std::uint8_t k2[8], const std::uint8_t k3[8], std::uint8_t output[8]);

// Two-key Triple-DES under a 16-byte key K1 || K2.
inline void tdes2_block(unsigned direction, const std::uint8_t input[8], const std::uint8_t key[16],
                        std::uint8_t output[8]) {
    tdes_block(direction, input, key, key + 8, key, output);
}
