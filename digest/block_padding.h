// block_padding.h: the closing of MD5 and SHA-256, which share it but for the byte order of the length:
// 0x80, zeros up to 56 bytes mod 64, then the message length in bits as a 64-bit number.
#pragma once

#include <cstdint>
#include <cstring>

template <typename Context, void (*Transform)(Context&)>
void pad_final_block(Context& ctx, bool big_endian_length)
{
    const std::uint32_t fill = ctx.block_fill;
    ctx.block[fill] = 0x80;
    if (fill < 56) {
        std::memset(ctx.block + fill + 1, 0, 55 - fill);
    } else {
        std::memset(ctx.block + fill + 1, 0, 63 - fill);
        Transform(ctx);
        std::memset(ctx.block, 0, 56);
    }
    const std::uint64_t bits = ctx.bit_count + 8 * std::uint64_t(fill);
    for (int k = 0; k < 8; ++k)
        ctx.block[56 + k] = std::uint8_t(bits >> (big_endian_length ? 56 - 8 * k : 8 * k));
    Transform(ctx);
}
