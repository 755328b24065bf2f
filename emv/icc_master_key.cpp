// icc_master_key.cpp: EMV 4.3 Book 2 Annex A1.4, the ICC master key from the issuer master key, PAN and PSN.
#include <array>
#include <string>

#include "digest/sha1.h"
#include "emv/keys.h"
#include "symmetric/des.h"
#include "symmetric/triple_des.h"

namespace {

// Packs 16 decimal digits (characters '0' to '9') into 8 bytes.
void pack_digits(std::string_view digits, std::span<std::uint8_t, 8> y)
{
    for (std::size_t i = 0; i < 8; ++i)
        y[i] = static_cast<std::uint8_t>((digits[2 * i] - '0') << 4 | (digits[2 * i + 1] - '0'));
}

void option_a(const std::string& x, std::span<std::uint8_t, 8> y)
{
    const std::string digits = x.size() >= 16 ? x.substr(x.size() - 16) : std::string(16 - x.size(), '0') + x;
    pack_digits(digits, y);
}

// A1.4.2: SHA-1 over PAN || PSN packed (a leading zero digit when their count is odd), then the
// digest's decimal nibbles in order, topped up with its nibbles A-F less ten.
void option_b(const std::string& x, std::span<std::uint8_t, 8> y)
{
    const std::string even = x.size() % 2 ? "0" + x : x;
    Sha1Context context;
    sha1_init(context);
    for (std::size_t i = 0; i + 1 < even.size(); i += 2) {
        const std::uint8_t byte = static_cast<std::uint8_t>((even[i] - '0') << 4 | (even[i + 1] - '0'));
        sha1_update(context, std::span<const std::uint8_t>(&byte, 1));
    }
    std::array<std::uint8_t, SHA1_DIGEST_BYTES> digest;
    sha1_final(digest, context);

    std::string digits;
    for (int pass = 0; pass < 2 && digits.size() < 16; ++pass)
        for (std::size_t i = 0; i < 2 * digest.size() && digits.size() < 16; ++i) {
            const int nibble = i % 2 ? digest[i / 2] & 15 : digest[i / 2] >> 4;
            if (pass == 0 && nibble < 10)
                digits += static_cast<char>('0' + nibble);
            else if (pass == 1 && nibble >= 10)
                digits += static_cast<char>('0' + nibble - 10);
        }
    pack_digits(digits, y);
}

// Sets each byte's least significant bit so that the byte holds an odd number of ones.
void adjust_odd_parity(KeyOut16 key)
{
    for (std::uint8_t& b : key) {
        int ones = 0;
        for (int bit = 1; bit < 8; ++bit)
            ones += b >> bit & 1;
        b = static_cast<std::uint8_t>((b & 0xFE) | (ones % 2 == 0));
    }
}

} // namespace

void icc_master_key_input(IccOption option, std::string_view pan, std::string_view psn, std::span<std::uint8_t, 8> y)
{
    const std::string x = std::string(pan) + std::string(psn);
    if (option == IccOption::B && pan.size() > 16)
        option_b(x, y);
    else
        option_a(x, y);
}

void icc_master_key(IccOption option, std::string_view pan, std::string_view psn, Key16 imk, KeyOut16 mk)
{
    std::array<std::uint8_t, 8> y, not_y;
    icc_master_key_input(option, pan, psn, y);
    for (std::size_t i = 0; i < 8; ++i)
        not_y[i] = static_cast<std::uint8_t>(~y[i]);
    tdes2_block(DES_ENCRYPT, y.data(), imk.data(), mk.data());
    tdes2_block(DES_ENCRYPT, not_y.data(), imk.data(), mk.data() + 8);
    adjust_odd_parity(mk);
}
