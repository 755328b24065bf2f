// md5.h: the MD5 compression (RFC 1321). The digest operation fills the block and pads it itself.
#pragma once

#include <cstdint>

inline constexpr int MD5_DIGEST_BYTES = 16;

struct Md5Context {
    std::uint8_t block[64];   // the message block being filled
    std::uint32_t block_fill; // bytes now in block
    std::uint64_t bit_count;  // message bits in the blocks already compressed
    std::uint32_t state[4];   // A, B, C, D
};

// RFC 1321 section 3.3: the initial words A, B, C, D.
inline constexpr std::uint32_t MD5_INITIAL_STATE[4] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};

// Compresses block (16 little-endian words) into state.
void md5_transform(Md5Context& ctx);
