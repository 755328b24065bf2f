// aes.h: AES of one 16-byte block (FIPS-197), 128-, 192- or 256-bit keys, in the four-table form.
#pragma once

#include <cstdint>

struct AesContext {
    std::uint32_t encryption_keys[64]; // 4 x (rounds + 1) words used
    std::uint32_t decryption_keys[64]; // equivalent inverse cipher: last round key first
    std::int32_t rounds;               // 10, 12 or 14; 0 when the key size was refused
};

// Builds the shared S-boxes and round tables from GF(2^8) arithmetic; rebuilding gives identical tables.
void aes_gen_tables();

// key_bits 128, 192 or 256 fills both sets of round keys; any other size leaves rounds 0 and no keys.
void aes_set_key(AesContext& context, const std::uint8_t* key, int key_bits);

void aes_encrypt_block(const AesContext& context, const std::uint8_t input[16], std::uint8_t output[16]);
void aes_decrypt_block(const AesContext& context, const std::uint8_t input[16], std::uint8_t output[16]);
