// sha512.h: SHA-512 and SHA-384 (FIPS 180-4), which share one context and one compression.
#pragma once

#include <cstdint>
#include <span>

inline constexpr int SHA512_DIGEST_BYTES = 64;
inline constexpr int SHA384_DIGEST_BYTES = 48;

struct Sha512Context {
    std::uint32_t byte_count[4]; // message length in bytes, 128 bits, least significant word first
    std::uint64_t state[8];
    std::uint8_t block[128];
    std::uint32_t is384; // non-zero: SHA-384 initial values and a 48-byte digest
};

// Clears the context, sets is384 and loads the SHA-384 or SHA-512 initial values.
void sha512_init(Sha512Context& ctx, int is384);

// Compresses one 128-byte block (16 big-endian 64-bit words) into state.
void sha512_transform(Sha512Context& ctx, const std::uint8_t* block);

void sha512_update(Sha512Context& ctx, std::span<const std::uint8_t> data);

// Pads, appends the bit length and writes 64 bytes, or 48 when is384 is set.
void sha512_final(Sha512Context& ctx, std::span<std::uint8_t> out);

// The whole SHA-384 (is384 non-zero) or SHA-512 computation; out receives 48 or 64 bytes.
void sha512_digest(std::span<const std::uint8_t> data, std::span<std::uint8_t> out, int is384);
