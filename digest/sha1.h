// sha1.h: SHA-1 (FIPS 180-4): a context that absorbs bytes, pads, and compresses 64-byte blocks.
#pragma once

#include <cstdint>
#include <span>

inline constexpr int SHA1_DIGEST_BYTES = 20;

struct Sha1Context {
    std::uint32_t state[5];
    std::uint32_t bit_count_low;  // message length in bits, low half
    std::uint32_t bit_count_high; // and high half
    alignas(4) std::uint8_t block[64];
    // 0: the block's words are byte-swapped into big-endian order before compression (little-endian
    // hosts); 1 leaves them as they are.
    std::uint32_t host_big_endian;
};

// FIPS 180-4 section 5.3.1; counts zero, host_big_endian 0.
void sha1_init(Sha1Context& ctx);

void sha1_update(Sha1Context& ctx, std::span<const std::uint8_t> data);

// Pads, appends the bit length and writes the digest.
void sha1_final(std::span<std::uint8_t, SHA1_DIGEST_BYTES> out, Sha1Context& ctx);

// Compresses one 64-byte block whose 16 native words already hold the big-endian message words.
void sha1_transform(Sha1Context& ctx, const std::uint8_t* block);
