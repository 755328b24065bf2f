// cmac.cpp: CMAC tags and subkeys (NIST SP 800-38B).
#include "symmetric/cmac.h"

#include <cstring>

namespace {

// Doubling in GF(2^b): shift left one bit, and fold the carry back with R_b
// (0x87 for 128-bit blocks, 0x1B for 64-bit blocks).
void double_block(const std::uint8_t* in, std::uint8_t* out, bool wide)
{
    const int n = wide ? 16 : 8;
    const std::uint8_t carry = in[0] >> 7;
    for (int i = 0; i < n - 1; ++i)
        out[i] = static_cast<std::uint8_t>(in[i] << 1 | in[i + 1] >> 7);
    out[n - 1] = static_cast<std::uint8_t>(in[n - 1] << 1);
    if (carry)
        out[n - 1] ^= n == 16 ? 0x87 : 0x1B;
}

} // namespace

void cmac_subkeys(const BlockKey& key, std::uint8_t k1[16], std::uint8_t k2[16])
{
    const std::uint8_t zero[16] = {};
    std::uint8_t l[16];
    block_encrypt(key, zero, l);
    double_block(l, k1, key.block_bytes == 16);
    double_block(k1, k2, key.block_bytes == 16);
}

void cmac(const BlockKey& key, const std::uint8_t* message, std::size_t length, std::uint8_t* tag)
{
    const auto n = static_cast<std::size_t>(key.block_bytes);
    std::uint8_t k1[16], k2[16];
    cmac_subkeys(key, k1, k2);

    // Every block but the last is chained as CBC-MAC; the last is a whole block XOR K1, or the
    // rest padded with 80 00 .. XOR K2 (an empty message is one padded block).
    const std::size_t full = length == 0 ? 0 : (length - 1) / n;
    std::uint8_t chain[16] = {};
    for (std::size_t b = 0; b < full; ++b) {
        for (std::size_t i = 0; i < n; ++i)
            chain[i] ^= message[b * n + i];
        block_encrypt(key, chain, chain);
    }
    const std::size_t rest = length - full * n;
    std::uint8_t last[16] = {};
    std::memcpy(last, message + full * n, rest);
    const std::uint8_t* subkey = k1;
    if (rest < n) {
        last[rest] = 0x80;
        subkey = k2;
    }
    for (std::size_t i = 0; i < n; ++i)
        chain[i] ^= last[i] ^ subkey[i];
    block_encrypt(key, chain, tag);
}

void legacy_check_value(const BlockKey& key, std::uint8_t value[16])
{
    const std::uint8_t zero[16] = {};
    block_encrypt(key, zero, value);
}

void cmac_check_value(const BlockKey& key, std::uint8_t value[16])
{
    const std::uint8_t zero[16] = {};
    cmac(key, zero, static_cast<std::size_t>(key.block_bytes), value);
}
