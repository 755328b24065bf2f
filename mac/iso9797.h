// iso9797.h: ISO/IEC 9797-1 padding methods 1, 2 and 3, MAC algorithm 1 (CBC-MAC under DES, Triple-DES
// or AES) and MAC algorithm 3 (the retail MAC of ANSI X9.19) over data already padded.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "symmetric/block_key.h"

inline constexpr int PADDING_METHOD_FIRST = 1;
inline constexpr int PADDING_METHOD_LAST = 3;

// Method 1: zeros up to a whole block (empty data becomes one zero block). Method 2: 80, then zeros up to a
// whole block. Method 3: a block holding the data's length in bits (big-endian), then the data padded with
// zeros up to a whole block.
std::vector<std::uint8_t> iso9797_pad(std::span<const std::uint8_t> data, int method, int block_bytes);

// Algorithm 1: the last block of CBC encryption from a zero IV; mac receives one block.
void mac_algorithm1(const BlockKey& key, std::span<const std::uint8_t> padded, std::uint8_t* mac);
