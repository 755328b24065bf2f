// iso9797.cpp: the padding methods and the CBC-MAC of ISO/IEC 9797-1; algorithm 3 is symmetric/mac_algorithm3.
#include "mac/iso9797.h"

#include <algorithm>

std::vector<std::uint8_t> iso9797_pad(std::span<const std::uint8_t> data, int method, int block_bytes)
{
    const auto block = static_cast<std::size_t>(block_bytes);
    std::vector<std::uint8_t> padded;
    if (method == 3) {
        padded.assign(block, 0);
        std::uint64_t bits = static_cast<std::uint64_t>(data.size()) * 8;
        for (std::size_t i = 0; i < 8 && i < block; ++i, bits >>= 8)
            padded[block - 1 - i] = static_cast<std::uint8_t>(bits);
    }
    padded.insert(padded.end(), data.begin(), data.end());
    if (method == 2)
        padded.push_back(0x80);
    if (padded.empty() || padded.size() % block != 0)
        padded.resize((padded.size() / block + 1) * block, 0);
    return padded;
}

void mac_algorithm1(const BlockKey& key, std::span<const std::uint8_t> padded, std::uint8_t* mac)
{
    const auto block = static_cast<std::size_t>(key.block_bytes);
    std::uint8_t chain[16] = {};
    for (std::size_t at = 0; at < padded.size(); at += block) {
        for (std::size_t i = 0; i < block; ++i)
            chain[i] ^= padded[at + i];
        block_encrypt(key, chain, chain);
    }
    std::copy_n(chain, block, mac);
}
