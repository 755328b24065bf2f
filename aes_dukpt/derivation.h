// derivation.h: ANSI X9.24-3-2017 AES DUKPT key derivation: derivation data, initial key,
// intermediate derivation keys per counter, working keys, and the device's counter stepping.
#pragma once

#include <cstdint>
#include <span>

// Key usage indicator, bytes 2-3 of the derivation data (ANSI X9.24-3-2017 table 2).
enum class KeyUsage : std::uint16_t {
    KeyEncryption = 0x0002,
    PinEncryption = 0x1000,
    MacGeneration = 0x2000,
    MacVerification = 0x2001,
    MacBothWays = 0x2002,
    DataEncrypt = 0x3000,
    DataDecrypt = 0x3001,
    DataBothWays = 0x3002,
    KeyDerivation = 0x8000,
    KeyDerivationInitialKey = 0x8001,
};

// Algorithm indicator, bytes 4-5 of the derivation data (ANSI X9.24-3-2017 table 3).
enum class KeyType : std::uint16_t {
    Tdea2 = 0x0000,
    Tdea3 = 0x0001,
    Aes128 = 0x0002,
    Aes192 = 0x0003,
    Aes256 = 0x0004,
    Hmac = 0x0005, // HMAC-SHA-256 key of 256 bits
};

inline constexpr int AES_DUKPT_KSN_BYTES = 12;     // initial key ID (8 bytes) and counter (4 bytes)
inline constexpr int AES_DUKPT_IKID_BYTES = 8;     // BDK ID (4 bytes) and derivation ID (4 bytes)
inline constexpr int AES_DUKPT_MAX_KEY_BYTES = 32;
inline constexpr int AES_DUKPT_MAX_COUNTER_BITS = 16; // a device never uses a counter with more one-bits
// The update key is the key-encryption working key of this counter (the supplement's update keys).
inline constexpr std::uint32_t AES_DUKPT_UPDATE_COUNTER = 0xFFFFFFFF;

struct DukptKey {
    std::uint8_t bytes[AES_DUKPT_MAX_KEY_BYTES];
    int length; // 16, 24 or 32
};

// False for a value that is no algorithm indicator of the table.
bool key_type_known(std::uint16_t value);
int key_type_bytes(KeyType type);
bool key_usage_known(std::uint16_t value);

// The AES type of a BDK or initial key of this many bytes; false when the length is not 16, 24 or 32.
bool aes_key_type(int length, KeyType& type);

// True when type is stronger than an AES derivation key of this type (TDEA keys never are).
bool key_stronger_than(KeyType type, KeyType derivation_type);

// The 16 bytes of derivation data. The initial key's carries the whole initial key ID; the others carry
// its derivation ID (last 4 bytes) and the counter.
void derivation_data(KeyUsage usage, KeyType type, std::span<const std::uint8_t, 8> initial_key_id,
                     std::uint32_t counter, std::span<std::uint8_t, 16> out);

// AES-ECB of the derivation data under the derivation key, block counter 1, 2, ... as long as the
// key needs, cut to its length.
DukptKey derive_key(const DukptKey& derivation_key, KeyType type, std::span<const std::uint8_t, 16> data);

DukptKey initial_key(const DukptKey& bdk, std::span<const std::uint8_t, 8> initial_key_id);

// The derivation key of a counter: from the initial key, one derivation per one-bit of the counter,
// highest first.
DukptKey intermediate_key(const DukptKey& initial, std::span<const std::uint8_t, 8> initial_key_id,
                          std::uint32_t counter);

DukptKey working_key(const DukptKey& initial, std::span<const std::uint8_t, 8> initial_key_id,
                     std::uint32_t counter, KeyUsage usage, KeyType type);

int counter_one_bits(std::uint32_t counter);

// The counter after this one that a device may use (at most 16 one-bits); false when none is left.
bool next_counter(std::uint32_t counter, std::uint32_t& next);

std::uint32_t ksn_counter(std::span<const std::uint8_t, AES_DUKPT_KSN_BYTES> ksn);
