// md5.cpp: the MD5 compression function of RFC 1321, its 64 steps written out.
#include "digest/md5.h"

namespace {

constexpr std::uint32_t rotl(std::uint32_t x, int s) { return (x << s) | (x >> (32 - s)); }

constexpr std::uint32_t f(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return (x & y) | (~x & z); }
constexpr std::uint32_t g(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return (x & z) | (y & ~z); }
constexpr std::uint32_t h(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return x ^ y ^ z; }
constexpr std::uint32_t i(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return y ^ (x | ~z); }

// One step: a = b + ((a + fn(b, c, d) + x + t) <<< s); t is the sine constant of the step.
template <std::uint32_t (*Fn)(std::uint32_t, std::uint32_t, std::uint32_t)>
inline void step(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x, int s,
                 std::uint32_t t)
{
    a = b + rotl(a + Fn(b, c, d) + x + t, s);
}

} // namespace

void md5_transform(Md5Context& ctx)
{
    std::uint32_t x[16];
    for (int k = 0; k < 16; ++k) {
        const std::uint8_t* p = ctx.block + 4 * k;
        x[k] = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
    }

    std::uint32_t a = ctx.state[0], b = ctx.state[1], c = ctx.state[2], d = ctx.state[3];

    // Round 1
    step<f>(a, b, c, d, x[0], 7, 0xD76AA478);
    step<f>(d, a, b, c, x[1], 12, 0xE8C7B756);
    step<f>(c, d, a, b, x[2], 17, 0x242070DB);
    step<f>(b, c, d, a, x[3], 22, 0xC1BDCEEE);
    step<f>(a, b, c, d, x[4], 7, 0xF57C0FAF);
    step<f>(d, a, b, c, x[5], 12, 0x4787C62A);
    step<f>(c, d, a, b, x[6], 17, 0xA8304613);
    step<f>(b, c, d, a, x[7], 22, 0xFD469501);
    step<f>(a, b, c, d, x[8], 7, 0x698098D8);
    step<f>(d, a, b, c, x[9], 12, 0x8B44F7AF);
    step<f>(c, d, a, b, x[10], 17, 0xFFFF5BB1);
    step<f>(b, c, d, a, x[11], 22, 0x895CD7BE);
    step<f>(a, b, c, d, x[12], 7, 0x6B901122);
    step<f>(d, a, b, c, x[13], 12, 0xFD987193);
    step<f>(c, d, a, b, x[14], 17, 0xA679438E);
    step<f>(b, c, d, a, x[15], 22, 0x49B40821);

    // Round 2
    step<g>(a, b, c, d, x[1], 5, 0xF61E2562);
    step<g>(d, a, b, c, x[6], 9, 0xC040B340);
    step<g>(c, d, a, b, x[11], 14, 0x265E5A51);
    step<g>(b, c, d, a, x[0], 20, 0xE9B6C7AA);
    step<g>(a, b, c, d, x[5], 5, 0xD62F105D);
    step<g>(d, a, b, c, x[10], 9, 0x02441453);
    step<g>(c, d, a, b, x[15], 14, 0xD8A1E681);
    step<g>(b, c, d, a, x[4], 20, 0xE7D3FBC8);
    step<g>(a, b, c, d, x[9], 5, 0x21E1CDE6);
    step<g>(d, a, b, c, x[14], 9, 0xC33707D6);
    step<g>(c, d, a, b, x[3], 14, 0xF4D50D87);
    step<g>(b, c, d, a, x[8], 20, 0x455A14ED);
    step<g>(a, b, c, d, x[13], 5, 0xA9E3E905);
    step<g>(d, a, b, c, x[2], 9, 0xFCEFA3F8);
    step<g>(c, d, a, b, x[7], 14, 0x676F02D9);
    step<g>(b, c, d, a, x[12], 20, 0x8D2A4C8A);

    // Round 3
    step<h>(a, b, c, d, x[5], 4, 0xFFFA3942);
    step<h>(d, a, b, c, x[8], 11, 0x8771F681);
    step<h>(c, d, a, b, x[11], 16, 0x6D9D6122);
    step<h>(b, c, d, a, x[14], 23, 0xFDE5380C);
    step<h>(a, b, c, d, x[1], 4, 0xA4BEEA44);
    step<h>(d, a, b, c, x[4], 11, 0x4BDECFA9);
    step<h>(c, d, a, b, x[7], 16, 0xF6BB4B60);
    step<h>(b, c, d, a, x[10], 23, 0xBEBFBC70);
    step<h>(a, b, c, d, x[13], 4, 0x289B7EC6);
    step<h>(d, a, b, c, x[0], 11, 0xEAA127FA);
    step<h>(c, d, a, b, x[3], 16, 0xD4EF3085);
    step<h>(b, c, d, a, x[6], 23, 0x04881D05);
    step<h>(a, b, c, d, x[9], 4, 0xD9D4D039);
    step<h>(d, a, b, c, x[12], 11, 0xE6DB99E5);
    step<h>(c, d, a, b, x[15], 16, 0x1FA27CF8);
    step<h>(b, c, d, a, x[2], 23, 0xC4AC5665);

    // Round 4
    step<i>(a, b, c, d, x[0], 6, 0xF4292244);
    step<i>(d, a, b, c, x[7], 10, 0x432AFF97);
    step<i>(c, d, a, b, x[14], 15, 0xAB9423A7);
    step<i>(b, c, d, a, x[5], 21, 0xFC93A039);
    step<i>(a, b, c, d, x[12], 6, 0x655B59C3);
    step<i>(d, a, b, c, x[3], 10, 0x8F0CCC92);
    step<i>(c, d, a, b, x[10], 15, 0xFFEFF47D);
    step<i>(b, c, d, a, x[1], 21, 0x85845DD1);
    step<i>(a, b, c, d, x[8], 6, 0x6FA87E4F);
    step<i>(d, a, b, c, x[15], 10, 0xFE2CE6E0);
    step<i>(c, d, a, b, x[6], 15, 0xA3014314);
    step<i>(b, c, d, a, x[13], 21, 0x4E0811A1);
    step<i>(a, b, c, d, x[4], 6, 0xF7537E82);
    step<i>(d, a, b, c, x[11], 10, 0xBD3AF235);
    step<i>(c, d, a, b, x[2], 15, 0x2AD7D2BB);
    step<i>(b, c, d, a, x[9], 21, 0xEB86D391);

    ctx.state[0] += a;
    ctx.state[1] += b;
    ctx.state[2] += c;
    ctx.state[3] += d;
}
