// binding.cpp: how a key block binds its key to its header. Versions A and C: encryption and MAC
// keys as variants of the KBPK, Triple-DES CBC under the header's first 8 characters as IV, and a
// 4-byte CBC-MAC over the header and the encrypted payload. Versions B and D: both keys
// derived with CMAC, a CMAC over the header and the clear payload, which is also the IV of the CBC.
// Every MAC covers the header's characters and the payload's bytes, not their printed digits.
#include <algorithm>
#include <cstring>

#include "keyblock/key_block.h"
#include "core/field.h"
#include "symmetric/block_key.h"
#include "symmetric/cmac.h"

namespace {

constexpr std::uint8_t VARIANT_ENCRYPTION = 0x45; // TR-31:2018 A.2.1
constexpr std::uint8_t VARIANT_MAC = 0x4D;


struct BindingKeys {
    BlockKey encryption;
    BlockKey mac;
    int mac_bytes; // bytes of MAC the block carries
};

bool is_variant_version(KeyBlockVersion v) { return v == KeyBlockVersion::A || v == KeyBlockVersion::C; }

// Derivation data of TR-31:2018 A.3 (Triple-DES) and ISO 20038 6.3 (AES): counter, key usage
// (0000 encryption, 0001 MAC), separator, algorithm, and the derived key's length in bits.
void derive(const BlockKey& kbpk, int kbpk_bytes, std::uint8_t usage, BlockKey& out)
{
    const bool aes = kbpk.algorithm == BlockAlgorithm::Aes;
    std::uint8_t algorithm = aes ? static_cast<std::uint8_t>(kbpk_bytes / 8) : (kbpk_bytes == 24 ? 1 : 0);
    const int bits = kbpk_bytes * 8;
    std::uint8_t derived[48];
    const int blocks = (kbpk_bytes + kbpk.block_bytes - 1) / kbpk.block_bytes;
    for (int i = 0; i < blocks; ++i) {
        const std::uint8_t data[8] = {static_cast<std::uint8_t>(i + 1), 0, usage, 0, 0, algorithm,
                                      static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)};
        cmac(kbpk, data, sizeof data, derived + i * kbpk.block_bytes);
    }
    block_key_set(out, kbpk.algorithm, derived, kbpk_bytes);
}

bool binding_keys(KeyBlockVersion version, std::span<const std::uint8_t> kbpk, BindingKeys& keys)
{
    if (!kbpk_fits(version, kbpk.size()))
        return false;
    const int n = static_cast<int>(kbpk.size());
    if (is_variant_version(version)) {
        std::uint8_t e[24], m[24];
        for (int i = 0; i < n; ++i) {
            e[i] = kbpk[static_cast<std::size_t>(i)] ^ VARIANT_ENCRYPTION;
            m[i] = kbpk[static_cast<std::size_t>(i)] ^ VARIANT_MAC;
        }
        block_key_set(keys.encryption, BlockAlgorithm::Tdes, e, n);
        block_key_set(keys.mac, BlockAlgorithm::Tdes, m, n);
        keys.mac_bytes = 4;
        return true;
    }
    BlockKey base;
    block_key_set(base, version == KeyBlockVersion::D ? BlockAlgorithm::Aes : BlockAlgorithm::Tdes, kbpk.data(), n);
    derive(base, n, 0x00, keys.encryption);
    derive(base, n, 0x01, keys.mac);
    keys.mac_bytes = base.block_bytes;
    return true;
}

// CBC-MAC (ISO/IEC 9797-1 algorithm 1) of a whole number of blocks, zero IV.
void cbc_mac(const BlockKey& key, const std::string& message, std::uint8_t* tag)
{
    std::uint8_t chain[8] = {};
    for (std::size_t at = 0; at + 8 <= message.size(); at += 8) {
        for (std::size_t i = 0; i < 8; ++i)
            chain[i] ^= static_cast<std::uint8_t>(message[at + i]);
        block_encrypt(key, chain, chain);
    }
    std::memcpy(tag, chain, 8);
}

// Versions A and C MAC the header and the encrypted payload; B and D the header and the clear payload.
void block_mac(KeyBlockVersion version, const BindingKeys& keys, std::string_view header,
               std::span<const std::uint8_t> data, std::uint8_t* tag)
{
    std::string message(header);
    message.append(data.begin(), data.end());
    if (is_variant_version(version))
        cbc_mac(keys.mac, message, tag);
    else
        cmac(keys.mac, reinterpret_cast<const std::uint8_t*>(message.data()), message.size(), tag);
}

bool read_hex(std::string_view text, std::vector<std::uint8_t>& out)
{
    out.resize(text.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const int hi = hex_value(text[2 * i]), lo = hex_value(text[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        out[i] = static_cast<std::uint8_t>(hi << 4 | lo);
    }
    return true;
}

void append_hex(std::string& out, std::span<const std::uint8_t> bytes)
{
    for (std::uint8_t b : bytes) {
        out.push_back(HEX_DIGITS[b >> 4]);
        out.push_back(HEX_DIGITS[b & 15]);
    }
}

int mac_bytes_of(KeyBlockVersion version) { return is_variant_version(version) ? 4 : key_block_cipher_bytes(version); }

} // namespace

int key_block_cipher_bytes(KeyBlockVersion version) { return version == KeyBlockVersion::D ? 16 : 8; }

bool kbpk_fits(KeyBlockVersion version, std::size_t length)
{
    if (version == KeyBlockVersion::D)
        return length == 16 || length == 24 || length == 32;
    return length == 16 || length == 24;
}

int minimal_key_padding(KeyBlockVersion version, std::size_t key_length)
{
    const std::size_t n = static_cast<std::size_t>(key_block_cipher_bytes(version));
    return static_cast<int>((n - (2 + key_length) % n) % n);
}

KeyBlockError open_key_block(std::string_view block, std::span<const std::uint8_t> kbpk, KeyBlockHeader& header,
                             std::vector<std::uint8_t>& key)
{
    key.clear();
    if (const KeyBlockError e = parse_key_block_header(block, header); e != KeyBlockError::None)
        return e;
    if (static_cast<std::size_t>(header.length) != block.size())
        return KeyBlockError::LengthMismatch;
    const std::size_t n = static_cast<std::size_t>(key_block_cipher_bytes(header.version));
    if (block.size() % n != 0)
        return KeyBlockError::BadLength;
    if (header.text.size() % n != 0)
        return KeyBlockError::OptionalBlock;
    const std::size_t mac_chars = 2 * static_cast<std::size_t>(mac_bytes_of(header.version));
    const std::size_t rest = block.size() - header.text.size();
    if (rest <= mac_chars || (rest - mac_chars) % (2 * n) != 0)
        return KeyBlockError::BadLength;

    std::vector<std::uint8_t> encrypted, mac;
    if (!read_hex(block.substr(header.text.size(), rest - mac_chars), encrypted) ||
        !read_hex(block.substr(block.size() - mac_chars), mac))
        return KeyBlockError::NotHex;
    BindingKeys keys;
    if (!binding_keys(header.version, kbpk, keys))
        return KeyBlockError::KbpkLength;

    std::uint8_t tag[16];
    std::vector<std::uint8_t> payload(encrypted.size());
    if (is_variant_version(header.version)) {
        block_mac(header.version, keys, header.text, encrypted, tag);
        if (!std::equal(mac.begin(), mac.end(), tag))
            return KeyBlockError::MacMismatch;
        block_cbc_decrypt(keys.encryption, reinterpret_cast<const std::uint8_t*>(block.data()), encrypted.data(),
                          encrypted.size(), payload.data());
    } else {
        block_cbc_decrypt(keys.encryption, mac.data(), encrypted.data(), encrypted.size(), payload.data());
        block_mac(header.version, keys, header.text, payload, tag);
        if (!std::equal(mac.begin(), mac.end(), tag))
            return KeyBlockError::MacMismatch;
    }

    const std::size_t bits = static_cast<std::size_t>(payload[0]) << 8 | payload[1];
    if (bits == 0 || bits % 8 != 0 || bits / 8 > payload.size() - 2)
        return KeyBlockError::KeyLength;
    key.assign(payload.begin() + 2, payload.begin() + 2 + static_cast<std::ptrdiff_t>(bits / 8));
    return KeyBlockError::None;
}

KeyBlockError build_key_block(std::string_view header_text, std::span<const std::uint8_t> kbpk,
                              std::span<const std::uint8_t> key, std::span<const std::uint8_t> padding,
                              std::string& block)
{
    block.clear();
    KeyBlockHeader header;
    if (const KeyBlockError e = parse_key_block_header(header_text, header); e != KeyBlockError::None)
        return e;
    if (header.text.size() != header_text.size())
        return KeyBlockError::OptionalBlock;
    const std::size_t n = static_cast<std::size_t>(key_block_cipher_bytes(header.version));
    if (!kbpk_fits(header.version, kbpk.size()))
        return KeyBlockError::KbpkLength;
    const std::size_t payload_bytes = 2 + key.size() + padding.size();
    if (payload_bytes % n != 0)
        return KeyBlockError::PaddingLength;
    if (key.empty() || key.size() > 8191)
        return KeyBlockError::KeyLength;

    std::string text(header_text);
    if (text.size() % n != 0) {
        const bool closed = header.optional_count > 0 &&
                            header.optional[static_cast<std::size_t>(header.optional_count - 1)].id == "PB";
        if (closed || header.optional_count == MAX_OPTIONAL_BLOCKS)
            return KeyBlockError::OptionalBlock;
        std::size_t pb = n - text.size() % n;
        if (pb < 4)
            pb += n;
        text += "PB";
        text.push_back(HEX_DIGITS[pb >> 4]);
        text.push_back(HEX_DIGITS[pb & 15]);
        text.append(pb - 4, '0');
        const int count = header.optional_count + 1;
        text[12] = static_cast<char>('0' + count / 10);
        text[13] = static_cast<char>('0' + count % 10);
    }
    std::vector<std::uint8_t> payload;
    payload.push_back(static_cast<std::uint8_t>(key.size() * 8 >> 8));
    payload.push_back(static_cast<std::uint8_t>(key.size() * 8));
    payload.insert(payload.end(), key.begin(), key.end());
    payload.insert(payload.end(), padding.begin(), padding.end());
    return seal_key_block(header.version, text, kbpk, payload, block);
}

KeyBlockError seal_key_block(KeyBlockVersion version, std::string_view header_text, std::span<const std::uint8_t> kbpk,
                             std::span<const std::uint8_t> payload, std::string& block)
{
    block.clear();
    BindingKeys keys;
    if (!binding_keys(version, kbpk, keys))
        return KeyBlockError::KbpkLength;
    if (payload.empty() || payload.size() % static_cast<std::size_t>(key_block_cipher_bytes(version)) != 0)
        return KeyBlockError::PaddingLength;
    if (header_text.size() < 5)
        return KeyBlockError::BadLength;
    const std::size_t total = header_text.size() + 2 * payload.size() + 2 * static_cast<std::size_t>(keys.mac_bytes);
    if (total > 9999)
        return KeyBlockError::TooLong;
    std::string text(header_text);
    for (std::size_t i = 0, v = total; i < 4; ++i, v /= 10)
        text[4 - i] = static_cast<char>('0' + v % 10);

    std::vector<std::uint8_t> encrypted(payload.size());
    std::uint8_t tag[16];
    if (is_variant_version(version)) {
        block_cbc_encrypt(keys.encryption, reinterpret_cast<const std::uint8_t*>(text.data()), payload.data(),
                          payload.size(), encrypted.data());
        block_mac(version, keys, text, encrypted, tag);
    } else {
        block_mac(version, keys, text, payload, tag);
        block_cbc_encrypt(keys.encryption, tag, payload.data(), payload.size(), encrypted.data());
    }
    block = text;
    append_hex(block, encrypted);
    append_hex(block, std::span<const std::uint8_t>(tag, static_cast<std::size_t>(keys.mac_bytes)));
    return KeyBlockError::None;
}
