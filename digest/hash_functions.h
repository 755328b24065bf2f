// hash_functions.h: SHA-1, SHA-224, SHA-256, SHA-384 and SHA-512 (FIPS 180-4) as one-shot functions
// with their block and digest sizes, for the constructions built over any of them (HMAC).
#pragma once

#include <cstdint>
#include <span>

struct HashFunction {
    const char* name;
    int block_bytes;  // the compression function's input block (64 or 128)
    int digest_bytes; // 20, 28, 32, 48 or 64
    void (*run)(std::span<const std::uint8_t> data, std::span<std::uint8_t> out); // out holds digest_bytes
};

extern const HashFunction SHA1_HASH;
extern const HashFunction SHA224_HASH;
extern const HashFunction SHA256_HASH;
extern const HashFunction SHA384_HASH;
extern const HashFunction SHA512_HASH;
