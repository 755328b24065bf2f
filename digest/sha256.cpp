// sha256.cpp: SHA-256 of FIPS 180-4; the compression loops over its 64 constants, eight steps a pass.
#include "digest/sha256.h"

#include "digest/block_padding.h"

#include <array>
#include <cstring>

namespace {

// FIPS 180-4 section 4.2.2: the first 32 bits of the fractional parts of the cube roots of the
// first 64 primes.
constexpr std::array<std::uint32_t, 64> K = {
    0x428A2F98, 0x71374491, 0xB5C0FBCF, 0xE9B5DBA5, 0x3956C25B, 0x59F111F1, 0x923F82A4, 0xAB1C5ED5,
    0xD807AA98, 0x12835B01, 0x243185BE, 0x550C7DC3, 0x72BE5D74, 0x80DEB1FE, 0x9BDC06A7, 0xC19BF174,
    0xE49B69C1, 0xEFBE4786, 0x0FC19DC6, 0x240CA1CC, 0x2DE92C6F, 0x4A7484AA, 0x5CB0A9DC, 0x76F988DA,
    0x983E5152, 0xA831C66D, 0xB00327C8, 0xBF597FC7, 0xC6E00BF3, 0xD5A79147, 0x06CA6351, 0x14292967,
    0x27B70A85, 0x2E1B2138, 0x4D2C6DFC, 0x53380D13, 0x650A7354, 0x766A0ABB, 0x81C2C92E, 0x92722C85,
    0xA2BFE8A1, 0xA81A664B, 0xC24B8B70, 0xC76C51A3, 0xD192E819, 0xD6990624, 0xF40E3585, 0x106AA070,
    0x19A4C116, 0x1E376C08, 0x2748774C, 0x34B0BCB5, 0x391C0CB3, 0x4ED8AA4A, 0x5B9CCA4F, 0x682E6FF3,
    0x748F82EE, 0x78A5636F, 0x84C87814, 0x8CC70208, 0x90BEFFFA, 0xA4506CEB, 0xBEF9A3F7, 0xC67178F2,
};

constexpr std::uint32_t rotr(std::uint32_t x, int s) { return (x >> s) | (x << (32 - s)); }

constexpr std::uint32_t big_sigma0(std::uint32_t x) { return rotr(x, 2) ^ rotr(x, 13) ^ rotr(x, 22); }
constexpr std::uint32_t big_sigma1(std::uint32_t x) { return rotr(x, 6) ^ rotr(x, 11) ^ rotr(x, 25); }
constexpr std::uint32_t small_sigma0(std::uint32_t x) { return rotr(x, 7) ^ rotr(x, 18) ^ (x >> 3); }
constexpr std::uint32_t small_sigma1(std::uint32_t x) { return rotr(x, 17) ^ rotr(x, 19) ^ (x >> 10); }

// One step; instead of shifting the eight working variables the caller rotates their names.
inline void step(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t& d, std::uint32_t e,
                 std::uint32_t f, std::uint32_t g, std::uint32_t& h, std::uint32_t kw)
{
    std::uint32_t t1 = h + big_sigma1(e) + ((e & f) ^ (~e & g)) + kw;
    std::uint32_t t2 = big_sigma0(a) + ((a & b) ^ (a & c) ^ (b & c));
    d += t1;
    h = t1 + t2;
}

} // namespace

void sha256_transform(Sha256Context& ctx)
{
    std::uint32_t w[64];
    for (int t = 0; t < 16; ++t) {
        const std::uint8_t* p = ctx.block + 4 * t;
        w[t] = std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
    }
    for (int t = 16; t < 64; ++t)
        w[t] = small_sigma1(w[t - 2]) + w[t - 7] + small_sigma0(w[t - 15]) + w[t - 16];

    std::uint32_t a = ctx.state[0], b = ctx.state[1], c = ctx.state[2], d = ctx.state[3];
    std::uint32_t e = ctx.state[4], f = ctx.state[5], g = ctx.state[6], h = ctx.state[7];
    for (int t = 0; t < 64; t += 8) {
        step(a, b, c, d, e, f, g, h, K[t] + w[t]);
        step(h, a, b, c, d, e, f, g, K[t + 1] + w[t + 1]);
        step(g, h, a, b, c, d, e, f, K[t + 2] + w[t + 2]);
        step(f, g, h, a, b, c, d, e, K[t + 3] + w[t + 3]);
        step(e, f, g, h, a, b, c, d, K[t + 4] + w[t + 4]);
        step(d, e, f, g, h, a, b, c, K[t + 5] + w[t + 5]);
        step(c, d, e, f, g, h, a, b, K[t + 6] + w[t + 6]);
        step(b, c, d, e, f, g, h, a, K[t + 7] + w[t + 7]);
    }

    ctx.state[0] += a;
    ctx.state[1] += b;
    ctx.state[2] += c;
    ctx.state[3] += d;
    ctx.state[4] += e;
    ctx.state[5] += f;
    ctx.state[6] += g;
    ctx.state[7] += h;
}

void sha256_final(Sha256Context& ctx, std::span<std::uint8_t, SHA256_DIGEST_BYTES> out)
{
    pad_final_block<Sha256Context, sha256_transform>(ctx, true);

    for (int k = 0; k < 8; ++k) {
        out[4 * k] = std::uint8_t(ctx.state[k] >> 24);
        out[4 * k + 1] = std::uint8_t(ctx.state[k] >> 16);
        out[4 * k + 2] = std::uint8_t(ctx.state[k] >> 8);
        out[4 * k + 3] = std::uint8_t(ctx.state[k]);
    }
}
