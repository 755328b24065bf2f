// components.cpp: XOR, parity and check values of key components (legacy: one zero block encrypted,
// 3 bytes; CMAC-based: ANSI X9.24-1-2017 Annex A, 5 bytes, for Triple-DES and AES keys only).
#include "keys/components.h"

#include <bit>

#include "core/field.h"
#include "symmetric/cmac.h"

namespace {

constexpr std::size_t LEGACY_BYTES = 3;
constexpr std::size_t CMAC_BYTES = 5;

std::string hex(const std::uint8_t* bytes, std::size_t length)
{
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        text.push_back(HEX_DIGITS[bytes[i] >> 4]);
        text.push_back(HEX_DIGITS[bytes[i] & 0x0F]);
    }
    return text;
}

// "E4E5E6 odd" (no parity for AES).
std::string legacy_and_parity(std::span<const std::uint8_t> bytes, bool aes)
{
    BlockKey key;
    component_key(key, aes, bytes);
    std::uint8_t value[16];
    legacy_check_value(key, value);
    std::string text = hex(value, LEGACY_BYTES);
    if (!aes)
        text.append(" ").append(parity_word(key_parity(bytes)));
    return text;
}

} // namespace

KeyBytes xor_components(std::span<const KeyBytes> components)
{
    KeyBytes key(components.front().size(), 0);
    for (const KeyBytes& component : components)
        for (std::size_t i = 0; i < key.size(); ++i)
            key[i] ^= component[i];
    return key;
}

Parity key_parity(std::span<const std::uint8_t> key)
{
    std::size_t odd = 0;
    for (std::uint8_t byte : key)
        odd += std::popcount(byte) % 2;
    return odd == key.size() ? Parity::Odd : odd == 0 ? Parity::Even : Parity::Mixed;
}

std::string_view parity_word(Parity parity)
{
    return parity == Parity::Odd ? "odd" : parity == Parity::Even ? "even" : "mixed";
}

void adjust_odd_parity(std::span<std::uint8_t> key)
{
    for (std::uint8_t& byte : key)
        if (std::popcount(byte) % 2 == 0)
            byte ^= 0x01;
}

bool component_key(BlockKey& key, bool aes, std::span<const std::uint8_t> bytes)
{
    const int length = static_cast<int>(bytes.size());
    const BlockAlgorithm algorithm = aes ? BlockAlgorithm::Aes : length == 8 ? BlockAlgorithm::Des : BlockAlgorithm::Tdes;
    return block_key_set(key, algorithm, bytes.data(), length);
}

std::string check_values_line(std::span<const KeyBytes> components, std::span<const std::uint8_t> key, bool aes,
                              std::string_view key_parity_note)
{
    std::string line;
    for (std::size_t i = 0; i < components.size(); ++i)
        line.append("C").append(std::to_string(i + 1)).append(" ").append(legacy_and_parity(components[i], aes)).append(", ");
    line.append("key ").append(legacy_and_parity(key, aes)).append(key_parity_note);
    BlockKey block_key;
    component_key(block_key, aes, key);
    if (block_key.algorithm != BlockAlgorithm::Des) {
        std::uint8_t value[16];
        cmac_check_value(block_key, value);
        line.append(", CMAC ").append(hex(value, CMAC_BYTES));
    }
    return line;
}
