// block_key.cpp: single blocks and CBC under a DES, Triple-DES or AES key.
#include "symmetric/block_key.h"

#include <cstring>

#include "symmetric/des.h"
#include "symmetric/triple_des.h"

bool block_key_set(BlockKey& key, BlockAlgorithm algorithm, const std::uint8_t* bytes, int length)
{
    key = {};
    key.algorithm = algorithm;
    switch (algorithm) {
    case BlockAlgorithm::Des:
        if (length != 8)
            return false;
        std::memcpy(key.des_key, bytes, 8);
        key.block_bytes = 8;
        return true;
    case BlockAlgorithm::Tdes:
        if (length != 16 && length != 24)
            return false;
        std::memcpy(key.des_key, bytes, static_cast<std::size_t>(length));
        if (length == 16)
            std::memcpy(key.des_key + 16, bytes, 8);
        key.block_bytes = 8;
        return true;
    case BlockAlgorithm::Aes:
        if (length != 16 && length != 24 && length != 32)
            return false;
        aes_set_key(key.aes, bytes, length * 8);
        key.block_bytes = 16;
        return true;
    }
    return false;
}

namespace {

void block_apply(const BlockKey& key, unsigned direction, const std::uint8_t* in, std::uint8_t* out)
{
    switch (key.algorithm) {
    case BlockAlgorithm::Des: des_block(direction, in, key.des_key, out); break;
    case BlockAlgorithm::Tdes: tdes_block(direction, in, key.des_key, key.des_key + 8, key.des_key + 16, out); break;
    case BlockAlgorithm::Aes:
        if (direction == DES_ENCRYPT)
            aes_encrypt_block(key.aes, in, out);
        else
            aes_decrypt_block(key.aes, in, out);
        break;
    }
}

} // namespace

void block_encrypt(const BlockKey& key, const std::uint8_t* in, std::uint8_t* out)
{
    block_apply(key, DES_ENCRYPT, in, out);
}

void block_decrypt(const BlockKey& key, const std::uint8_t* in, std::uint8_t* out)
{
    block_apply(key, DES_DECRYPT, in, out);
}

void block_cbc_encrypt(const BlockKey& key, const std::uint8_t* iv, const std::uint8_t* in, std::size_t length,
                       std::uint8_t* out)
{
    const auto n = static_cast<std::size_t>(key.block_bytes);
    std::uint8_t chain[16];
    std::memcpy(chain, iv, n);
    for (std::size_t at = 0; at + n <= length; at += n) {
        for (std::size_t i = 0; i < n; ++i)
            chain[i] ^= in[at + i];
        block_encrypt(key, chain, chain);
        std::memcpy(out + at, chain, n);
    }
}

void block_cbc_decrypt(const BlockKey& key, const std::uint8_t* iv, const std::uint8_t* in, std::size_t length,
                       std::uint8_t* out)
{
    const auto n = static_cast<std::size_t>(key.block_bytes);
    std::uint8_t chain[16], cipher[16];
    std::memcpy(chain, iv, n);
    for (std::size_t at = 0; at + n <= length; at += n) {
        std::memcpy(cipher, in + at, n);
        block_decrypt(key, cipher, out + at);
        for (std::size_t i = 0; i < n; ++i)
            out[at + i] ^= chain[i];
        std::memcpy(chain, cipher, n);
    }
}
