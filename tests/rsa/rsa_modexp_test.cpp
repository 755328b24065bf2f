// Raw RSA: the fixed-width arithmetic and rsa_modexp against mbedTLS at every width, and the
// "RSA Encryption/Decription" row's results and errors through the fake window.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "rsa/fixed_num.h"
#include "rsa/rsa_raw.h"
#include "tests/rsa/rsa_test_support.h"

// Random big-endian bytes of n digits, the top digit non-zero but its top bits random.
static Bytes random_bytes(std::mt19937& rng, int n) {
    Bytes bytes(4 * static_cast<std::size_t>(n));
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(rng());
    bytes[3] |= 1;
    return bytes;
}

// The same value as digits (through fixed_decode) and as the reference number.
static void load(Digit* a, mbedtls_mpi* x, const Bytes& bytes) {
    fixed_decode(a, static_cast<int>(bytes.size() / 4), bytes.data(), static_cast<int>(bytes.size()));
    mbedtls_mpi_read_binary(x, bytes.data(), bytes.size());
}

TEST(FixedArithmetic, EveryOperationMatchesMbedtlsAtEveryWidth)
{
    std::mt19937 rng(1);
    for (int n = 1; n <= FIXED_DIGITS; ++n) {
        Digit b[FIXED_DIGITS], c[2 * FIXED_DIGITS], d[FIXED_DIGITS], a[2 * FIXED_DIGITS + 1], r[FIXED_DIGITS];
        TestMpi mb, mc, md, ma, mr;
        const std::size_t w = 4 * static_cast<std::size_t>(n); // bytes of n digits
        Bytes bytes = random_bytes(rng, n);
        if (n % 3 == 0) // a zero digit of b, which the multiplication skips
            std::fill_n(bytes.begin() + 4 * (1 + rng() % (n - 1)), 4, 0);
        load(b, &mb, bytes);
        load(c, &mc, random_bytes(rng, n));
        mbedtls_mpi_mul_mpi(&ma, &mb, &mc);
        fixed_mul(a, b, c, n);
        EXPECT_EQ(digits_hex(a, 2 * n), ma.hex(2 * w)) << n << " digits: b * c";
        std::copy_n(b, n, a);
        fixed_mul(a, a, c, n);
        EXPECT_EQ(digits_hex(a, 2 * n), ma.hex(2 * w)) << n << " digits: b * c written over b";

        // The divisor's top digit all ones (already normalised) or 1 (shifted by 31 bits) at some widths;
        // odd, for mbedtls_mpi_exp_mod below.
        Bytes modulus = random_bytes(rng, n);
        if (n % 4 == 1 || n % 4 == 2)
            std::copy_n(n % 4 == 1 ? "\xFF\xFF\xFF\xFF" : "\0\0\0\1", 4, modulus.begin());
        modulus.back() |= 1;
        load(d, &md, modulus);
        // A double-width dividend as in a modular product, and one narrower than the divisor.
        for (int c_digits : {2 * n, std::max(1, n - 1)}) {
            load(c, &mc, random_bytes(rng, c_digits));
            mbedtls_mpi_div_mpi(&ma, &mr, &mc, &md);
            fixed_div(a, r, c, c_digits, d, n);
            EXPECT_EQ(digits_hex(a, c_digits), ma.hex(4u * c_digits)) << n << " / " << c_digits;
            EXPECT_EQ(digits_hex(r, n), mr.hex(w)) << n << " % " << c_digits;
        }

        // The left shift keeps n digits and hands back the top bits that fell out.
        const unsigned bits = n % 32;
        mbedtls_mpi_copy(&ma, &mb);
        mbedtls_mpi_shift_l(&ma, bits);
        const Digit out = fixed_shift_left(a, b, bits, n);
        EXPECT_EQ(digits_hex(&out, 1) + digits_hex(a, n), ma.hex(w + 4)) << n << " digits << " << bits;
        mbedtls_mpi_copy(&ma, &mb);
        mbedtls_mpi_shift_r(&ma, bits);
        fixed_shift_right(a, b, bits, n);
        EXPECT_EQ(digits_hex(a, n), ma.hex(w)) << n << " digits >> " << bits;

        // b mod d raised to short exponents at every width, to whole-width ones at a few.
        const int e_digits = n <= 3 || n == 33 || n == 64 || n == 128 ? n : 1 + n % 4;
        const Bytes exponent = random_bytes(rng, e_digits);
        load(c, &mc, exponent);
        mbedtls_mpi_mod_mpi(&mb, &mb, &md);
        mbedtls_mpi_write_binary(&mb, bytes.data(), w);
        load(b, &mb, bytes);
        mbedtls_mpi_exp_mod(&ma, &mb, &mc, &md, nullptr);
        fixed_mod_exp(a, b, c, e_digits, d, n);
        EXPECT_EQ(digits_hex(a, n), ma.hex(w)) << n << " digits, exponent of " << e_digits;
        if (n == 128) { // rsa_modexp with 512-byte operands, the output written over the input
            ASSERT_EQ(rsa_modexp(bytes.data(), modulus.data(), 512, exponent.data(), 512, bytes.data()), 0);
            EXPECT_EQ(to_hex(bytes), ma.hex(w));
        }

        // Digit division against native division: the divisor's high half 0xFFFF or all ones at times, the
        // dividend's high digit at times just below the divisor.
        for (int i = 0; i < 16; ++i) {
            const Digit t = i % 4 == 0 ? 0xFFFF0000 + i % 3 : i % 4 == 1 ? 0xFFFFFFFF : rng() | 0x80000000;
            const Digit two[2] = {static_cast<Digit>(rng()), i % 2 ? t - 1 : static_cast<Digit>(rng() % t)};
            EXPECT_EQ(fixed_digit_div(two, t), ((std::uint64_t{two[1]} << 32) | two[0]) / t)
                << std::hex << two[1] << ":" << two[0] << " / " << t;
        }
    }
}

// A number of k bytes: leading zeros, then the given hexadecimal.
static std::string padded(int k, const std::string& hex = "") { return std::string(2u * k - hex.size(), '0') + hex; }

using RsaRow = RsaBench;

TEST_F(RsaRow, ResultsAndErrors)
{
    // With no message the output must be `out`, as long as the modulus; otherwise one error box and no output.
    struct Case { const char* what; std::string in, n, e, out = {}, error = {}; int focus = -1; };
    const std::string in = padded(32, "02"), n = padded(32, "0D");
    const std::string size = "Invalid field size!", fail = "Encryption failed!";
    const Case cases[] = {
        {.what = "2^5 mod 13 keeps leading zeros", .in = in, .n = n, .e = "05", .out = padded(32, "06")},
        // The worked example of the RSA article of Wikipedia: p = 61, q = 53, e = 17, d = 2753.
        {.what = "encrypt", .in = padded(32, "41"), .n = padded(32, "0CA1"), .e = "11", .out = padded(32, "0AE6")},
        {.what = "decrypt", .in = padded(32, "0AE6"), .n = padded(32, "0CA1"), .e = "0AC1", .out = padded(32, "41")},
        {.what = "3^5 mod 16", .in = padded(32, "03"), .n = padded(32, "10"), .e = "05", .out = padded(32, "03")},
        {.what = "zero exponent", .in = in, .n = n, .e = padded(32), .out = padded(32, "01")},
        // 2^(2^256 - 1) mod 13: 2^12 = 1 mod 13 and 2^256 - 1 = 3 mod 12
        {.what = "exponent as long and larger", .in = in, .n = n, .e = std::string(64, 'F'), .out = padded(32, "08")},
        {.what = "31-byte input", .in = padded(31, "02"), .n = n, .e = "05", .error = size, .focus = 0},
        {.what = "513-byte input", .in = padded(513, "02"), .n = n, .e = "05", .error = size, .focus = 0},
        {.what = "field 1 not read yet", .in = padded(31, "02"), .n = "0d0", .e = "zz", .error = size, .focus = 0},
        {.what = "31-byte modulus", .in = in, .n = padded(31, "0D"), .e = "05", .error = size, .focus = 1},
        {.what = "513-byte modulus", .in = in, .n = padded(513, "0D"), .e = "05", .error = size, .focus = 1},
        {.what = "empty exponent", .in = in, .n = n, .e = "", .error = size, .focus = 2},
        {.what = "513-byte exponent", .in = in, .n = n, .e = padded(513, "05"), .error = size, .focus = 2},
        {.what = "64 and 65 bytes", .in = padded(64, "02"), .n = padded(65, "0D"), .e = "05",
         .error = "Input and Modulus lengths are different!", .focus = 0},
        {.what = "33-byte exponent of value 5", .in = in, .n = n, .e = padded(33, "05"),
         .error = "Exponent is greater than Modulus!", .focus = 2},
        {.what = "input equal to the modulus", .in = n, .n = n, .e = "05", .error = fail},
        {.what = "above a modulus with leading zeros", .in = "01" + padded(31), .n = n, .e = "05", .error = fail},
        {.what = "modulus of value zero", .in = in, .n = padded(32), .e = "05", .error = fail},
    };
    choose("RSA Encryption/Decription");
    for (const Case& c : cases) {
        run_clean(c.in, c.n, c.e);
        if (!c.error.empty()) {
            expect_error(c.what, c.error, c.focus);
            continue;
        }
        EXPECT_TRUE(w.messages.empty()) << c.what << ": " << last_message();
        EXPECT_EQ(output(), c.out) << c.what;
        EXPECT_EQ(counter(4), std::to_string(c.out.size() / 2) + " bytes") << c.what;
    }
}
