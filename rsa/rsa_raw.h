// rsa_raw.h: raw RSA, input^exponent mod modulus, on fixed-width numbers.
#pragma once

#include <cstdint>

inline constexpr int RSA_MAX_BYTES = 512; // the largest modulus, input and exponent (4096 bits)
inline constexpr int RSA_DATA_ERROR = 0x401;

// Results of rsa_modexp.
enum : int {
    RSA_MODEXP_OK = 0,
    RSA_EXPONENT_LONGER = -1,  // exponent length above the modulus length (byte counts)
    RSA_MODULUS_TOO_BIG = -2,
    RSA_EXPONENT_TOO_BIG = -3,
    RSA_BLOCK_FAILED = -4,     // modulus zero or input not below it
};

struct RsaRawKey {
    std::uint32_t bits;                     // 8 x the modulus length, leading zero bytes counted
    std::uint8_t modulus[RSA_MAX_BYTES];    // modulus bytes first, zeros after
    std::uint8_t exponent[RSA_MAX_BYTES];   // exponent right-aligned within the first modulus-length bytes
};

// output (output_length set to the modulus length) = input^exponent mod modulus, from the first
// modulus_length and exponent_length bytes of the key's areas; 0 or RSA_DATA_ERROR.
int rsa_raw_block(std::uint8_t* output, int* output_length, const std::uint8_t* input, int input_length,
                  const RsaRawKey& key, int modulus_length, int exponent_length);

// output (length bytes, left-padded with zeros) = input^exponent mod modulus; input and modulus have
// length bytes. output may be input. Returns one of the RSA_MODEXP results.
int rsa_modexp(const std::uint8_t* input, const std::uint8_t* modulus, int length, const std::uint8_t* exponent,
               int exponent_length, std::uint8_t* output);
