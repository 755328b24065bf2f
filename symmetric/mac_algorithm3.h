// mac_algorithm3.h: ISO/IEC 9797-1 MAC algorithm 3 (the retail MAC) under a two-key Triple-DES key.
#pragma once

#include <cstddef>
#include <cstdint>

// DES CBC under K1 over length bytes (a non-zero multiple of 8) from iv, then the last result
// deciphered under K2 and enciphered under K1 again. mac may not overlap data.
void mac_algorithm3(const std::uint8_t key[16], const std::uint8_t iv[8], const std::uint8_t* data, std::size_t length,
                    std::uint8_t mac[8]);
