// derivation.cpp: AES DUKPT keys of ANSI X9.24-3-2017 section 6, from BDK to working key.
#include "aes_dukpt/derivation.h"

#include <bit>
#include <cstring>

#include "symmetric/aes.h"

namespace {

struct TypeRow {
    KeyType type;
    int bits; // the length field of the derivation data
};

constexpr TypeRow TYPE_ROWS[] = {
    {KeyType::Tdea2, 128}, {KeyType::Tdea3, 192}, {KeyType::Aes128, 128},
    {KeyType::Aes192, 192}, {KeyType::Aes256, 256}, {KeyType::Hmac, 256},
};

constexpr KeyUsage USAGES[] = {
    KeyUsage::KeyEncryption, KeyUsage::PinEncryption, KeyUsage::MacGeneration, KeyUsage::MacVerification,
    KeyUsage::MacBothWays,   KeyUsage::DataEncrypt,   KeyUsage::DataDecrypt,   KeyUsage::DataBothWays,
    KeyUsage::KeyDerivation, KeyUsage::KeyDerivationInitialKey,
};

int key_type_bits(KeyType type)
{
    for (const TypeRow& row : TYPE_ROWS)
        if (row.type == type)
            return row.bits;
    return 0;
}

void put_16(std::uint8_t* at, std::uint16_t value)
{
    at[0] = static_cast<std::uint8_t>(value >> 8);
    at[1] = static_cast<std::uint8_t>(value);
}

void put_32(std::uint8_t* at, std::uint32_t value)
{
    put_16(at, static_cast<std::uint16_t>(value >> 16));
    put_16(at + 2, static_cast<std::uint16_t>(value));
}

} // namespace

bool key_type_known(std::uint16_t value)
{
    return key_type_bits(static_cast<KeyType>(value)) != 0;
}

int key_type_bytes(KeyType type) { return key_type_bits(type) / 8; }

bool key_usage_known(std::uint16_t value)
{
    for (KeyUsage usage : USAGES)
        if (static_cast<std::uint16_t>(usage) == value)
            return true;
    return false;
}

bool aes_key_type(int length, KeyType& type)
{
    switch (length) {
    case 16: type = KeyType::Aes128; return true;
    case 24: type = KeyType::Aes192; return true;
    case 32: type = KeyType::Aes256; return true;
    default: return false;
    }
}

bool key_stronger_than(KeyType type, KeyType derivation_type)
{
    if (type == KeyType::Tdea2 || type == KeyType::Tdea3)
        return false;
    return key_type_bits(type) > key_type_bits(derivation_type);
}

void derivation_data(KeyUsage usage, KeyType type, std::span<const std::uint8_t, 8> initial_key_id,
                     std::uint32_t counter, std::span<std::uint8_t, 16> out)
{
    out[0] = 0x01; // version
    out[1] = 0x01; // key block counter, stepped by derive_key
    put_16(&out[2], static_cast<std::uint16_t>(usage));
    put_16(&out[4], static_cast<std::uint16_t>(type));
    put_16(&out[6], static_cast<std::uint16_t>(key_type_bits(type)));
    if (usage == KeyUsage::KeyDerivationInitialKey) {
        std::memcpy(&out[8], initial_key_id.data(), 8);
    } else {
        std::memcpy(&out[8], initial_key_id.data() + 4, 4);
        put_32(&out[12], counter);
    }
}

DukptKey derive_key(const DukptKey& derivation_key, KeyType type, std::span<const std::uint8_t, 16> data)
{
    AesContext aes;
    aes_set_key(aes, derivation_key.bytes, derivation_key.length * 8);
    DukptKey key{};
    key.length = key_type_bytes(type);
    std::uint8_t block[16];
    std::memcpy(block, data.data(), 16);
    for (int at = 0; at < key.length; at += 16) {
        block[1] = static_cast<std::uint8_t>(at / 16 + 1);
        std::uint8_t out[16];
        aes_encrypt_block(aes, block, out);
        const int take = key.length - at < 16 ? key.length - at : 16;
        std::memcpy(key.bytes + at, out, static_cast<std::size_t>(take));
    }
    return key;
}

DukptKey initial_key(const DukptKey& bdk, std::span<const std::uint8_t, 8> initial_key_id)
{
    KeyType type = KeyType::Aes128;
    aes_key_type(bdk.length, type);
    std::uint8_t data[16];
    derivation_data(KeyUsage::KeyDerivationInitialKey, type, initial_key_id, 0, data);
    return derive_key(bdk, type, data);
}

DukptKey intermediate_key(const DukptKey& initial, std::span<const std::uint8_t, 8> initial_key_id,
                          std::uint32_t counter)
{
    KeyType type = KeyType::Aes128;
    aes_key_type(initial.length, type);
    DukptKey key = initial;
    std::uint32_t reached = 0;
    for (std::uint32_t bit = 0x80000000u; bit != 0; bit >>= 1) {
        if ((counter & bit) == 0)
            continue;
        reached |= bit;
        std::uint8_t data[16];
        derivation_data(KeyUsage::KeyDerivation, type, initial_key_id, reached, data);
        key = derive_key(key, type, data);
    }
    return key;
}

DukptKey working_key(const DukptKey& initial, std::span<const std::uint8_t, 8> initial_key_id,
                     std::uint32_t counter, KeyUsage usage, KeyType type)
{
    const DukptKey derivation_key = intermediate_key(initial, initial_key_id, counter);
    std::uint8_t data[16];
    derivation_data(usage, type, initial_key_id, counter, data);
    return derive_key(derivation_key, type, data);
}

int counter_one_bits(std::uint32_t counter) { return std::popcount(counter); }

bool next_counter(std::uint32_t counter, std::uint32_t& next)
{
    std::uint64_t n = std::uint64_t{counter} + 1;
    while (n <= 0xFFFFFFFFu && std::popcount(n) > AES_DUKPT_MAX_COUNTER_BITS)
        n += n & (~n + 1); // skip every counter that keeps these one-bits
    if (n > 0xFFFFFFFFu)
        return false;
    next = static_cast<std::uint32_t>(n);
    return true;
}

std::uint32_t ksn_counter(std::span<const std::uint8_t, AES_DUKPT_KSN_BYTES> ksn)
{
    return (std::uint32_t{ksn[8]} << 24) | (std::uint32_t{ksn[9]} << 16) | (std::uint32_t{ksn[10]} << 8) | ksn[11];
}
