// rsa_key.h: RSA key pairs made from two random probable primes on mbedTLS big numbers,
// and their private-key operation by the Chinese remainder theorem.
#pragma once

#include <cstdint>

#include <mbedtls/bignum.h>

#include "rsa/random_source.h"

inline constexpr int RSA_BAD_INPUT = -0x0400;
inline constexpr int RSA_KEY_GEN_FAILED = -0x0420;
inline constexpr int RSA_PRIVATE_FAILED = -0x0450;
inline constexpr int RSA_MIN_KEY_BITS = 128;

struct RsaKeyPair {
    std::int32_t ver; // always 0
    std::int32_t len; // byte length of N
    mbedtls_mpi N, E, D, P, Q, DP, DQ, QP;
    mbedtls_mpi RN, RP, RQ; // R^2 caches of the exponentiation for N, P and Q
    std::int32_t padding;
    std::int32_t hash_id;
    RandomSource random;
};

// Zeroes the whole record (every number empty) and attaches the random source.
void rsa_key_reset(RsaKeyPair* key, RandomSource random);
// Releases every number of the key.
void rsa_key_free(RsaKeyPair* key);

// When set, called before each prime pair that key generation draws, with the number drawn so far
// plus one; the console program shows it as progress. Unset by default.
extern void (*rsa_key_progress)(int pair);

// A key of exactly nbits bits with public exponent e: 0, RSA_BAD_INPUT (no random source, nbits below
// 128, e below 3 or even), or an arithmetic error OR-ed with RSA_KEY_GEN_FAILED, all numbers released.
int rsa_generate_key(RsaKeyPair* key, int nbits, std::uint32_t e);

// output = input^D mod N by the Chinese remainder theorem (Garner), both key.len bytes big-endian:
// 0, RSA_BAD_INPUT when the input is not below N, or an arithmetic error OR-ed with RSA_PRIVATE_FAILED.
int rsa_private_crt(RsaKeyPair* key, const std::uint8_t* input, std::uint8_t* output);
