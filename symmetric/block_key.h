// block_key.h: one DES, Triple-DES or AES key ready for single blocks, and CBC over whole blocks,
// for the operations that choose their cipher by key (CMAC, PIN blocks, key blocks, DUKPT keys).
#pragma once

#include <cstddef>
#include <cstdint>

#include "symmetric/aes.h"

enum class BlockAlgorithm { Des, Tdes, Aes };

struct BlockKey {
    BlockAlgorithm algorithm;
    int block_bytes;             // 8 for DES and Triple-DES, 16 for AES
    std::uint8_t des_key[24];    // K1 K2 K3; a two-key Triple-DES key repeats K1 as K3
    AesContext aes;
};

// False, with nothing usable set, when the length does not fit the algorithm: DES 8 bytes,
// Triple-DES 16 or 24 bytes, AES 16, 24 or 32 bytes.
bool block_key_set(BlockKey& key, BlockAlgorithm algorithm, const std::uint8_t* bytes, int length);

// One block; in may be out.
void block_encrypt(const BlockKey& key, const std::uint8_t* in, std::uint8_t* out);
void block_decrypt(const BlockKey& key, const std::uint8_t* in, std::uint8_t* out);

// CBC over length bytes, a multiple of the block; iv is one block; in may be out.
void block_cbc_encrypt(const BlockKey& key, const std::uint8_t* iv, const std::uint8_t* in, std::size_t length,
                       std::uint8_t* out);
void block_cbc_decrypt(const BlockKey& key, const std::uint8_t* iv, const std::uint8_t* in, std::size_t length,
                       std::uint8_t* out);
