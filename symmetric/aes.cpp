// aes.cpp: FIPS-197 Cipher and equivalent inverse cipher over tables computed at run time.
#include "symmetric/aes.h"

namespace {

// Shared tables, written by aes_gen_tables with the same values every time.
std::uint8_t sbox[256];
std::uint8_t inverse_sbox[256];
std::uint32_t round_constants[10];
std::uint32_t forward_table[4][256]; // SubBytes and MixColumns, one table per byte rotation
std::uint32_t reverse_table[4][256]; // InvSubBytes and InvMixColumns
std::uint32_t key_table[4][256];     // S-box then reverse table: InvMixColumns of a round-key byte

std::uint32_t rotate_right(std::uint32_t word, int bits) { return (word >> bits) | (word << (32 - bits)); }

std::uint8_t rotate_left_8(std::uint8_t byte, int bits) {
    return static_cast<std::uint8_t>((byte << bits) | (byte >> (8 - bits)));
}

// Multiplication by x modulo x^8 + x^4 + x^3 + x + 1.
std::uint8_t xtime(std::uint8_t a) { return static_cast<std::uint8_t>((a << 1) ^ ((a & 0x80) ? 0x1B : 0)); }

std::uint32_t load_word(const std::uint8_t* bytes) {
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) |
           bytes[3];
}

void store_word(std::uint32_t word, std::uint8_t* bytes) {
    bytes[0] = static_cast<std::uint8_t>(word >> 24);
    bytes[1] = static_cast<std::uint8_t>(word >> 16);
    bytes[2] = static_cast<std::uint8_t>(word >> 8);
    bytes[3] = static_cast<std::uint8_t>(word);
}

std::uint8_t byte_of(std::uint32_t word, int index) { return static_cast<std::uint8_t>(word >> (24 - 8 * index)); }

std::uint32_t sub_word(std::uint32_t word) {
    return (std::uint32_t{sbox[byte_of(word, 0)]} << 24) | (std::uint32_t{sbox[byte_of(word, 1)]} << 16) |
           (std::uint32_t{sbox[byte_of(word, 2)]} << 8) | sbox[byte_of(word, 3)];
}

} // namespace

void aes_gen_tables() {
    // Powers and logarithms of the generator 03.
    int power[256];
    int logarithm[256] = {};
    std::uint8_t x = 1;
    for (int i = 0; i < 256; ++i) {
        power[i] = x;
        logarithm[x] = i;
        x = static_cast<std::uint8_t>(x ^ xtime(x));
    }
    auto multiply = [&](int a, int b) -> std::uint32_t {
        return (a && b) ? static_cast<std::uint32_t>(power[(logarithm[a] + logarithm[b]) % 255]) : 0;
    };

    std::uint8_t rcon = 1;
    for (auto& constant : round_constants) {
        constant = std::uint32_t{rcon} << 24;
        rcon = xtime(rcon);
    }

    // S(x) = affine transform, constant 0x63, of the inverse of x; 0 has no inverse and maps to 0x63.
    for (int i = 0; i < 256; ++i) {
        const std::uint8_t inverse = i ? static_cast<std::uint8_t>(power[255 - logarithm[i]]) : 0;
        const std::uint8_t s = inverse ^ rotate_left_8(inverse, 1) ^ rotate_left_8(inverse, 2) ^
                               rotate_left_8(inverse, 3) ^ rotate_left_8(inverse, 4) ^ 0x63;
        sbox[i] = s;
        inverse_sbox[s] = static_cast<std::uint8_t>(i);
    }

    for (int i = 0; i < 256; ++i) {
        const int s = sbox[i];
        const std::uint32_t forward = (multiply(2, s) << 24) | (std::uint32_t(s) << 16) | (std::uint32_t(s) << 8) |
                                      multiply(3, s);
        const int r = inverse_sbox[i];
        const std::uint32_t reverse =
            (multiply(0x0E, r) << 24) | (multiply(0x09, r) << 16) | (multiply(0x0D, r) << 8) | multiply(0x0B, r);
        for (int t = 0; t < 4; ++t) {
            forward_table[t][i] = t ? rotate_right(forward, 8 * t) : forward;
            reverse_table[t][i] = t ? rotate_right(reverse, 8 * t) : reverse;
        }
    }
    for (int t = 0; t < 4; ++t)
        for (int i = 0; i < 256; ++i)
            key_table[t][i] = reverse_table[t][sbox[i]];
}

void aes_set_key(AesContext& context, const std::uint8_t* key, int key_bits) {
    static const bool tables_built = (aes_gen_tables(), true); // once: every build writes the same tables
    (void)tables_built;
    context.rounds = 0;
    if (key_bits != 128 && key_bits != 192 && key_bits != 256)
        return;
    const int nk = key_bits / 32;
    const int rounds = nk + 6;
    const int words = 4 * (rounds + 1);
    std::uint32_t* w = context.encryption_keys;
    for (int i = 0; i < nk; ++i)
        w[i] = load_word(key + 4 * i);
    for (int i = nk; i < words; ++i) {
        std::uint32_t temp = w[i - 1];
        if (i % nk == 0)
            temp = sub_word(rotate_right(temp, 24)) ^ round_constants[i / nk - 1];
        else if (nk > 6 && i % nk == 4)
            temp = sub_word(temp);
        w[i] = w[i - nk] ^ temp;
    }

    // Equivalent inverse cipher (FIPS-197 5.3.5): round keys reversed, the inner ones through InvMixColumns.
    std::uint32_t* d = context.decryption_keys;
    for (int round = 0; round <= rounds; ++round) {
        for (int c = 0; c < 4; ++c) {
            const std::uint32_t k = w[4 * (rounds - round) + c];
            d[4 * round + c] = (round == 0 || round == rounds)
                                   ? k
                                   : key_table[0][byte_of(k, 0)] ^ key_table[1][byte_of(k, 1)] ^
                                         key_table[2][byte_of(k, 2)] ^ key_table[3][byte_of(k, 3)];
        }
    }
    context.rounds = rounds;
}

void aes_encrypt_block(const AesContext& context, const std::uint8_t input[16], std::uint8_t output[16]) {
    const std::uint32_t* k = context.encryption_keys;
    std::uint32_t s[4], t[4];
    for (int c = 0; c < 4; ++c)
        s[c] = load_word(input + 4 * c) ^ k[c];
    for (int round = 1; round < context.rounds; ++round) {
        k += 4;
        // ShiftRows: row r of column c comes from column c + r.
        for (int c = 0; c < 4; ++c)
            t[c] = forward_table[0][byte_of(s[c], 0)] ^ forward_table[1][byte_of(s[(c + 1) & 3], 1)] ^
                   forward_table[2][byte_of(s[(c + 2) & 3], 2)] ^ forward_table[3][byte_of(s[(c + 3) & 3], 3)] ^
                   k[c];
        for (int c = 0; c < 4; ++c)
            s[c] = t[c];
    }
    k += 4;
    for (int c = 0; c < 4; ++c) {
        const std::uint32_t word = (std::uint32_t{sbox[byte_of(s[c], 0)]} << 24) |
                                   (std::uint32_t{sbox[byte_of(s[(c + 1) & 3], 1)]} << 16) |
                                   (std::uint32_t{sbox[byte_of(s[(c + 2) & 3], 2)]} << 8) |
                                   sbox[byte_of(s[(c + 3) & 3], 3)];
        store_word(word ^ k[c], output + 4 * c);
    }
}

void aes_decrypt_block(const AesContext& context, const std::uint8_t input[16], std::uint8_t output[16]) {
    const std::uint32_t* k = context.decryption_keys;
    std::uint32_t s[4], t[4];
    for (int c = 0; c < 4; ++c)
        s[c] = load_word(input + 4 * c) ^ k[c];
    for (int round = 1; round < context.rounds; ++round) {
        k += 4;
        // InvShiftRows: row r of column c comes from column c - r.
        for (int c = 0; c < 4; ++c)
            t[c] = reverse_table[0][byte_of(s[c], 0)] ^ reverse_table[1][byte_of(s[(c + 3) & 3], 1)] ^
                   reverse_table[2][byte_of(s[(c + 2) & 3], 2)] ^ reverse_table[3][byte_of(s[(c + 1) & 3], 3)] ^
                   k[c];
        for (int c = 0; c < 4; ++c)
            s[c] = t[c];
    }
    k += 4;
    for (int c = 0; c < 4; ++c) {
        const std::uint32_t word = (std::uint32_t{inverse_sbox[byte_of(s[c], 0)]} << 24) |
                                   (std::uint32_t{inverse_sbox[byte_of(s[(c + 3) & 3], 1)]} << 16) |
                                   (std::uint32_t{inverse_sbox[byte_of(s[(c + 2) & 3], 2)]} << 8) |
                                   inverse_sbox[byte_of(s[(c + 1) & 3], 3)];
        store_word(word ^ k[c], output + 4 * c);
    }
}
