// sha1.cpp: SHA-1 of FIPS 180-4; the 80 steps of the compression are written out.
#include "digest/sha1.h"

#include <cstring>

namespace {

constexpr std::uint32_t rotl(std::uint32_t x, int s) { return (x << s) | (x >> (32 - s)); }

constexpr std::uint32_t ch(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return (x & y) ^ (~x & z); }
constexpr std::uint32_t parity(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return x ^ y ^ z; }
constexpr std::uint32_t maj(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return (x & y) ^ (x & z) ^ (y & z); }

// One step with its function and constant of FIPS 180-4 section 4.2.1; the caller rotates the names.
template <std::uint32_t (*Fn)(std::uint32_t, std::uint32_t, std::uint32_t), std::uint32_t K>
inline void step(std::uint32_t a, std::uint32_t& b, std::uint32_t c, std::uint32_t d, std::uint32_t& e,
                 std::uint32_t w)
{
    e += rotl(a, 5) + Fn(b, c, d) + w + K;
    b = rotl(b, 30);
}

constexpr auto r1 = step<ch, 0x5A827999>;
constexpr auto r2 = step<parity, 0x6ED9EBA1>;
constexpr auto r3 = step<maj, 0x8F1BBCDC>;
constexpr auto r4 = step<parity, 0xCA62C1D6>;

// The message schedule kept in 16 words: W[t] for t >= 16, stored over W[t - 16].
inline std::uint32_t next(std::uint32_t* w, int t)
{
    w[t & 15] = rotl(w[(t - 3) & 15] ^ w[(t - 8) & 15] ^ w[(t - 14) & 15] ^ w[t & 15], 1);
    return w[t & 15];
}

void swap_words(std::uint8_t* block, int words)
{
    for (int k = 0; k < words; ++k) {
        std::uint8_t* p = block + 4 * k;
        std::uint8_t t0 = p[0], t1 = p[1];
        p[0] = p[3];
        p[1] = p[2];
        p[2] = t1;
        p[3] = t0;
    }
}

void reorder(Sha1Context& ctx, int words)
{
    if (!ctx.host_big_endian)
        swap_words(ctx.block, words);
}

} // namespace

void sha1_init(Sha1Context& ctx)
{
    ctx.state[0] = 0x67452301;
    ctx.state[1] = 0xEFCDAB89;
    ctx.state[2] = 0x98BADCFE;
    ctx.state[3] = 0x10325476;
    ctx.state[4] = 0xC3D2E1F0;
    ctx.bit_count_low = 0;
    ctx.bit_count_high = 0;
    std::memset(ctx.block, 0, sizeof ctx.block);
    ctx.host_big_endian = 0;
}

void sha1_transform(Sha1Context& ctx, const std::uint8_t* block)
{
    std::uint32_t w[16];
    std::memcpy(w, block, sizeof w);

    std::uint32_t a = ctx.state[0], b = ctx.state[1], c = ctx.state[2], d = ctx.state[3], e = ctx.state[4];

    r1(a, b, c, d, e, w[0]);
    r1(e, a, b, c, d, w[1]);
    r1(d, e, a, b, c, w[2]);
    r1(c, d, e, a, b, w[3]);
    r1(b, c, d, e, a, w[4]);
    r1(a, b, c, d, e, w[5]);
    r1(e, a, b, c, d, w[6]);
    r1(d, e, a, b, c, w[7]);
    r1(c, d, e, a, b, w[8]);
    r1(b, c, d, e, a, w[9]);
    r1(a, b, c, d, e, w[10]);
    r1(e, a, b, c, d, w[11]);
    r1(d, e, a, b, c, w[12]);
    r1(c, d, e, a, b, w[13]);
    r1(b, c, d, e, a, w[14]);
    r1(a, b, c, d, e, w[15]);
    r1(e, a, b, c, d, next(w, 16));
    r1(d, e, a, b, c, next(w, 17));
    r1(c, d, e, a, b, next(w, 18));
    r1(b, c, d, e, a, next(w, 19));

    r2(a, b, c, d, e, next(w, 20));
    r2(e, a, b, c, d, next(w, 21));
    r2(d, e, a, b, c, next(w, 22));
    r2(c, d, e, a, b, next(w, 23));
    r2(b, c, d, e, a, next(w, 24));
    r2(a, b, c, d, e, next(w, 25));
    r2(e, a, b, c, d, next(w, 26));
    r2(d, e, a, b, c, next(w, 27));
    r2(c, d, e, a, b, next(w, 28));
    r2(b, c, d, e, a, next(w, 29));
    r2(a, b, c, d, e, next(w, 30));
    r2(e, a, b, c, d, next(w, 31));
    r2(d, e, a, b, c, next(w, 32));
    r2(c, d, e, a, b, next(w, 33));
    r2(b, c, d, e, a, next(w, 34));
    r2(a, b, c, d, e, next(w, 35));
    r2(e, a, b, c, d, next(w, 36));
    r2(d, e, a, b, c, next(w, 37));
    r2(c, d, e, a, b, next(w, 38));
    r2(b, c, d, e, a, next(w, 39));

    r3(a, b, c, d, e, next(w, 40));
    r3(e, a, b, c, d, next(w, 41));
    r3(d, e, a, b, c, next(w, 42));
    r3(c, d, e, a, b, next(w, 43));
    r3(b, c, d, e, a, next(w, 44));
    r3(a, b, c, d, e, next(w, 45));
    r3(e, a, b, c, d, next(w, 46));
    r3(d, e, a, b, c, next(w, 47));
    r3(c, d, e, a, b, next(w, 48));
    r3(b, c, d, e, a, next(w, 49));
    r3(a, b, c, d, e, next(w, 50));
    r3(e, a, b, c, d, next(w, 51));
    r3(d, e, a, b, c, next(w, 52));
    r3(c, d, e, a, b, next(w, 53));
    r3(b, c, d, e, a, next(w, 54));
    r3(a, b, c, d, e, next(w, 55));
    r3(e, a, b, c, d, next(w, 56));
    r3(d, e, a, b, c, next(w, 57));
    r3(c, d, e, a, b, next(w, 58));
    r3(b, c, d, e, a, next(w, 59));

    r4(a, b, c, d, e, next(w, 60));
    r4(e, a, b, c, d, next(w, 61));
    r4(d, e, a, b, c, next(w, 62));
    r4(c, d, e, a, b, next(w, 63));
    r4(b, c, d, e, a, next(w, 64));
    r4(a, b, c, d, e, next(w, 65));
    r4(e, a, b, c, d, next(w, 66));
    r4(d, e, a, b, c, next(w, 67));
    r4(c, d, e, a, b, next(w, 68));
    r4(b, c, d, e, a, next(w, 69));
    r4(a, b, c, d, e, next(w, 70));
    r4(e, a, b, c, d, next(w, 71));
    r4(d, e, a, b, c, next(w, 72));
    r4(c, d, e, a, b, next(w, 73));
    r4(b, c, d, e, a, next(w, 74));
    r4(a, b, c, d, e, next(w, 75));
    r4(e, a, b, c, d, next(w, 76));
    r4(d, e, a, b, c, next(w, 77));
    r4(c, d, e, a, b, next(w, 78));
    r4(b, c, d, e, a, next(w, 79));

    ctx.state[0] += a;
    ctx.state[1] += b;
    ctx.state[2] += c;
    ctx.state[3] += d;
    ctx.state[4] += e;
}

void sha1_update(Sha1Context& ctx, std::span<const std::uint8_t> data)
{
    if (data.empty())
        return;
    std::uint32_t fill = (ctx.bit_count_low >> 3) & 63;

    // The 64-bit bit count, in two halves.
    std::uint64_t bits = std::uint64_t(data.size()) << 3;
    std::uint32_t old_low = ctx.bit_count_low;
    ctx.bit_count_low += std::uint32_t(bits);
    ctx.bit_count_high += std::uint32_t(bits >> 32) + (ctx.bit_count_low < old_low ? 1 : 0);

    if (fill != 0) {
        std::size_t room = 64 - fill;
        if (data.size() < room) {
            std::memcpy(ctx.block + fill, data.data(), data.size());
            return;
        }
        std::memcpy(ctx.block + fill, data.data(), room);
        reorder(ctx, 16);
        sha1_transform(ctx, ctx.block);
        data = data.subspan(room);
    }
    while (data.size() >= 64) {
        std::memcpy(ctx.block, data.data(), 64);
        reorder(ctx, 16);
        sha1_transform(ctx, ctx.block);
        data = data.subspan(64);
    }
    std::memcpy(ctx.block, data.data(), data.size());
}

void sha1_final(std::span<std::uint8_t, SHA1_DIGEST_BYTES> out, Sha1Context& ctx)
{
    std::uint32_t fill = (ctx.bit_count_low >> 3) & 63;
    ctx.block[fill++] = 0x80;
    if (64 - fill < 8) {
        std::memset(ctx.block + fill, 0, 64 - fill);
        reorder(ctx, 16);
        sha1_transform(ctx, ctx.block);
        std::memset(ctx.block, 0, 56);
    } else {
        std::memset(ctx.block + fill, 0, 56 - fill);
    }
    // Words 14 and 15 take the bit length as native values, so only words 0 to 13 are reordered.
    std::memcpy(ctx.block + 56, &ctx.bit_count_high, 4);
    std::memcpy(ctx.block + 60, &ctx.bit_count_low, 4);
    reorder(ctx, 14);
    sha1_transform(ctx, ctx.block);

    for (int k = 0; k < 5; ++k) {
        out[4 * k] = std::uint8_t(ctx.state[k] >> 24);
        out[4 * k + 1] = std::uint8_t(ctx.state[k] >> 16);
        out[4 * k + 2] = std::uint8_t(ctx.state[k] >> 8);
        out[4 * k + 3] = std::uint8_t(ctx.state[k]);
    }
}
