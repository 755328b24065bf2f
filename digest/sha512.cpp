// sha512.cpp: SHA-512 and SHA-384 of FIPS 180-4; the compression loops over its 80 constants,
// eight steps a pass.
#include "digest/sha512.h"

#include <array>
#include <cstring>

namespace {

// FIPS 180-4 section 4.2.3: the first 64 bits of the fractional parts of the cube roots of the
// first 80 primes.
constexpr std::array<std::uint64_t, 80> K = {
    0x428A2F98D728AE22, 0x7137449123EF65CD, 0xB5C0FBCFEC4D3B2F, 0xE9B5DBA58189DBBC, 0x3956C25BF348B538,
    0x59F111F1B605D019, 0x923F82A4AF194F9B, 0xAB1C5ED5DA6D8118, 0xD807AA98A3030242, 0x12835B0145706FBE,
    0x243185BE4EE4B28C, 0x550C7DC3D5FFB4E2, 0x72BE5D74F27B896F, 0x80DEB1FE3B1696B1, 0x9BDC06A725C71235,
    0xC19BF174CF692694, 0xE49B69C19EF14AD2, 0xEFBE4786384F25E3, 0x0FC19DC68B8CD5B5, 0x240CA1CC77AC9C65,
    0x2DE92C6F592B0275, 0x4A7484AA6EA6E483, 0x5CB0A9DCBD41FBD4, 0x76F988DA831153B5, 0x983E5152EE66DFAB,
    0xA831C66D2DB43210, 0xB00327C898FB213F, 0xBF597FC7BEEF0EE4, 0xC6E00BF33DA88FC2, 0xD5A79147930AA725,
    0x06CA6351E003826F, 0x142929670A0E6E70, 0x27B70A8546D22FFC, 0x2E1B21385C26C926, 0x4D2C6DFC5AC42AED,
    0x53380D139D95B3DF, 0x650A73548BAF63DE, 0x766A0ABB3C77B2A8, 0x81C2C92E47EDAEE6, 0x92722C851482353B,
    0xA2BFE8A14CF10364, 0xA81A664BBC423001, 0xC24B8B70D0F89791, 0xC76C51A30654BE30, 0xD192E819D6EF5218,
    0xD69906245565A910, 0xF40E35855771202A, 0x106AA07032BBD1B8, 0x19A4C116B8D2D0C8, 0x1E376C085141AB53,
    0x2748774CDF8EEB99, 0x34B0BCB5E19B48A8, 0x391C0CB3C5C95A63, 0x4ED8AA4AE3418ACB, 0x5B9CCA4F7763E373,
    0x682E6FF3D6B2B8A3, 0x748F82EE5DEFB2FC, 0x78A5636F43172F60, 0x84C87814A1F0AB72, 0x8CC702081A6439EC,
    0x90BEFFFA23631E28, 0xA4506CEBDE82BDE9, 0xBEF9A3F7B2C67915, 0xC67178F2E372532B, 0xCA273ECEEA26619C,
    0xD186B8C721C0C207, 0xEADA7DD6CDE0EB1E, 0xF57D4F7FEE6ED178, 0x06F067AA72176FBA, 0x0A637DC5A2C898A6,
    0x113F9804BEF90DAE, 0x1B710B35131C471B, 0x28DB77F523047D84, 0x32CAAB7B40C72493, 0x3C9EBE0A15C9BEBC,
    0x431D67C49C100D4C, 0x4CC5D4BECB3E42B6, 0x597F299CFC657E2A, 0x5FCB6FAB3AD6FAEC, 0x6C44198C4A475817,
};

// FIPS 180-4 section 5.3.4 (SHA-384) and 5.3.5 (SHA-512).
constexpr std::uint64_t SHA384_INITIAL_STATE[8] = {
    0xCBBB9D5DC1059ED8, 0x629A292A367CD507, 0x9159015A3070DD17, 0x152FECD8F70E5939,
    0x67332667FFC00B31, 0x8EB44A8768581511, 0xDB0C2E0D64F98FA7, 0x47B5481DBEFA4FA4,
};
constexpr std::uint64_t SHA512_INITIAL_STATE[8] = {
    0x6A09E667F3BCC908, 0xBB67AE8584CAA73B, 0x3C6EF372FE94F82B, 0xA54FF53A5F1D36F1,
    0x510E527FADE682D1, 0x9B05688C2B3E6C1F, 0x1F83D9ABFB41BD6B, 0x5BE0CD19137E2179,
};

constexpr std::uint64_t rotr(std::uint64_t x, int s) { return (x >> s) | (x << (64 - s)); }

constexpr std::uint64_t big_sigma0(std::uint64_t x) { return rotr(x, 28) ^ rotr(x, 34) ^ rotr(x, 39); }
constexpr std::uint64_t big_sigma1(std::uint64_t x) { return rotr(x, 14) ^ rotr(x, 18) ^ rotr(x, 41); }
constexpr std::uint64_t small_sigma0(std::uint64_t x) { return rotr(x, 1) ^ rotr(x, 8) ^ (x >> 7); }
constexpr std::uint64_t small_sigma1(std::uint64_t x) { return rotr(x, 19) ^ rotr(x, 61) ^ (x >> 6); }

// One step; instead of shifting the eight working variables the caller rotates their names.
inline void step(std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t& d, std::uint64_t e,
                 std::uint64_t f, std::uint64_t g, std::uint64_t& h, std::uint64_t kw)
{
    std::uint64_t t1 = h + big_sigma1(e) + ((e & f) ^ (~e & g)) + kw;
    std::uint64_t t2 = big_sigma0(a) + ((a & b) ^ (a & c) ^ (b & c));
    d += t1;
    h = t1 + t2;
}

// Clears a context in a way the compiler may not drop as a dead store.
void wipe(Sha512Context& ctx)
{
    volatile std::uint8_t* p = reinterpret_cast<volatile std::uint8_t*>(&ctx);
    for (std::size_t k = 0; k < sizeof ctx; ++k)
        p[k] = 0;
}

} // namespace

void sha512_transform(Sha512Context& ctx, const std::uint8_t* block)
{
    std::uint64_t w[80];
    for (int t = 0; t < 16; ++t) {
        std::uint64_t v = 0;
        for (int k = 0; k < 8; ++k)
            v = v << 8 | block[8 * t + k];
        w[t] = v;
    }
    for (int t = 16; t < 80; ++t)
        w[t] = small_sigma1(w[t - 2]) + w[t - 7] + small_sigma0(w[t - 15]) + w[t - 16];

    std::uint64_t a = ctx.state[0], b = ctx.state[1], c = ctx.state[2], d = ctx.state[3];
    std::uint64_t e = ctx.state[4], f = ctx.state[5], g = ctx.state[6], h = ctx.state[7];
    for (int t = 0; t < 80; t += 8) {
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

void sha512_update(Sha512Context& ctx, std::span<const std::uint8_t> data)
{
    if (data.empty())
        return;
    std::size_t fill = ctx.byte_count[0] & 127;

    // Add the length to the 128-bit byte count, carrying through the four words.
    std::uint64_t carry = data.size();
    for (std::uint32_t& word : ctx.byte_count) {
        std::uint64_t sum = std::uint64_t(word) + carry;
        word = std::uint32_t(sum);
        carry = sum >> 32;
    }

    if (fill != 0) {
        std::size_t room = 128 - fill;
        if (data.size() < room) {
            std::memcpy(ctx.block + fill, data.data(), data.size());
            return;
        }
        std::memcpy(ctx.block + fill, data.data(), room);
        sha512_transform(ctx, ctx.block);
        data = data.subspan(room);
    }
    while (data.size() >= 128) {
        sha512_transform(ctx, data.data());
        data = data.subspan(128);
    }
    std::memcpy(ctx.block, data.data(), data.size());
}

void sha512_final(Sha512Context& ctx, std::span<std::uint8_t> out)
{
    // The bit length, 8 x byte_count, as a 16-byte big-endian number.
    std::uint8_t length[16];
    for (int k = 0; k < 4; ++k) {
        std::uint32_t word = ctx.byte_count[3 - k] << 3;
        if (k < 3)
            word |= ctx.byte_count[2 - k] >> 29;
        length[4 * k] = std::uint8_t(word >> 24);
        length[4 * k + 1] = std::uint8_t(word >> 16);
        length[4 * k + 2] = std::uint8_t(word >> 8);
        length[4 * k + 3] = std::uint8_t(word);
    }

    std::uint8_t padding[128] = {0x80};
    std::size_t fill = ctx.byte_count[0] & 127;
    sha512_update(ctx, std::span(padding).first(fill < 112 ? 112 - fill : 240 - fill));
    sha512_update(ctx, length);

    int words = ctx.is384 ? 6 : 8;
    for (int k = 0; k < words; ++k)
        for (int j = 0; j < 8; ++j)
            out[8 * k + j] = std::uint8_t(ctx.state[k] >> (56 - 8 * j));
}

void sha512_init(Sha512Context& ctx, int is384)
{
    std::memset(&ctx, 0, sizeof ctx);
    ctx.is384 = is384 ? 1 : 0;
    std::memcpy(ctx.state, is384 ? SHA384_INITIAL_STATE : SHA512_INITIAL_STATE, sizeof ctx.state);
}

void sha512_digest(std::span<const std::uint8_t> data, std::span<std::uint8_t> out, int is384)
{
    Sha512Context ctx;
    sha512_init(ctx, is384);
    sha512_update(ctx, data);
    sha512_final(ctx, out);
    wipe(ctx);
}
