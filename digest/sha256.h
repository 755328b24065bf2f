// sha256.h: the SHA-256 compression and finish (FIPS 180-4); the digest operation fills the block itself.
#pragma once

#include <cstdint>
#include <span>

inline constexpr int SHA256_DIGEST_BYTES = 32;

struct Sha256Context {
    std::uint8_t block[64];   // the message block being filled
    std::uint32_t block_fill; // bytes now in block
    std::uint64_t bit_count;  // message bits in the blocks already compressed
    std::uint32_t state[8];
};

// FIPS 180-4 section 5.3.3.
inline constexpr std::uint32_t SHA256_INITIAL_STATE[8] = {0x6A09E667, 0xBB67AE85, 0x3C6EF372, 0xA54FF53A,
                                                          0x510E527F, 0x9B05688C, 0x1F83D9AB, 0x5BE0CD19};

// Compresses block (16 big-endian words) into state.
void sha256_transform(Sha256Context& ctx);

// Pads the partly filled block, appends the bit length and writes the digest.
void sha256_final(Sha256Context& ctx, std::span<std::uint8_t, SHA256_DIGEST_BYTES> out);
