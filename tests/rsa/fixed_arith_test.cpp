// Fixed-width arithmetic against mbedTLS's bignum on random numbers of every width from 1 to 129 digits.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "rsa/fixed_num.h"
#include "tests/rsa/rsa_test_support.h"

namespace {

// Random big-endian bytes of n digits, the top digit non-zero but its top bits random.
Bytes random_bytes(std::mt19937& rng, int n) {
    Bytes bytes(4 * static_cast<std::size_t>(n));
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(rng());
    bytes[3] |= 1;
    return bytes;
}

// The same value as n digits (through fixed_decode) and as the reference number.
void load(Digit* a, mbedtls_mpi* x, const Bytes& bytes) {
    fixed_decode(a, static_cast<int>(bytes.size() / 4), bytes.data(), static_cast<int>(bytes.size()));
    mbedtls_mpi_read_binary(x, bytes.data(), bytes.size());
}

// b^c mod d by square and multiply on mbedTLS's multiplication and remainder (which, unlike
// mbedtls_mpi_exp_mod, take even moduli).
void reference_exp_mod(mbedtls_mpi* x, const mbedtls_mpi* b, const mbedtls_mpi* c, const mbedtls_mpi* d) {
    mbedtls_mpi_lset(x, 1);
    for (std::size_t bit = mbedtls_mpi_bitlen(c); bit-- > 0;) {
        mbedtls_mpi_mul_mpi(x, x, x);
        mbedtls_mpi_mod_mpi(x, x, d);
        if (mbedtls_mpi_get_bit(c, bit)) {
            mbedtls_mpi_mul_mpi(x, x, b);
            mbedtls_mpi_mod_mpi(x, x, d);
        }
    }
}

} // namespace

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

        // The divisor's top digit all ones (already normalised) or 1 (shifted by 31 bits) at some widths.
        bytes = random_bytes(rng, n);
        if (n % 4 == 1 || n % 4 == 2)
            std::copy_n(n % 4 == 1 ? "\xFF\xFF\xFF\xFF" : "\0\0\0\1", 4, bytes.begin());
        load(d, &md, bytes);
        // A double-width dividend as in a modular product, and one narrower than the divisor.
        for (int c_digits : {2 * n, std::max(1, n - 1)}) {
            load(c, &mc, random_bytes(rng, c_digits));
            mbedtls_mpi_div_mpi(&ma, &mr, &mc, &md);
            fixed_div(a, r, c, c_digits, d, n);
            EXPECT_EQ(digits_hex(a, c_digits), ma.hex(4 * static_cast<std::size_t>(c_digits))) << n << " / " << c_digits;
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
        load(c, &mc, random_bytes(rng, e_digits));
        mbedtls_mpi_mod_mpi(&mb, &mb, &md);
        mbedtls_mpi_write_binary(&mb, bytes.data(), w);
        load(b, &mb, bytes);
        reference_exp_mod(&ma, &mb, &mc, &md);
        fixed_mod_exp(a, b, c, e_digits, d, n);
        EXPECT_EQ(digits_hex(a, n), ma.hex(w)) << n << " digits, exponent of " << e_digits;
    }
}

TEST(FixedArithmetic, DigitDivisionAgainstNativeDivision)
{
    // Boundary divisors and dividends just below divisor * 2^32, then random ones.
    struct Case { Digit high, low, d; };
    std::vector<Case> cases = {
        {.high = 0, .low = 0, .d = 0x80000000},           {.high = 0x7FFFFFFF, .low = 0xFFFFFFFF, .d = 0x80000000},
        {.high = 0xFFFFFFFE, .low = 0xFFFFFFFF, .d = 0xFFFFFFFF}, {.high = 0xFFFEFFFF, .low = 0x12345678, .d = 0xFFFF0000},
        {.high = 0xFFFF0000, .low = 0xFFFFFFFF, .d = 0xFFFF0001}, {.high = 0x80000000, .low = 0, .d = 0x80000001},
    };
    std::mt19937 rng(3);
    for (int i = 0; i < 2000; ++i) {
        const Digit d = rng() | 0x80000000;
        cases.push_back({.high = static_cast<Digit>(rng() % d), .low = static_cast<Digit>(rng()), .d = d});
    }
    for (const Case& c : cases) {
        const Digit dividend[2] = {c.low, c.high};
        EXPECT_EQ(fixed_digit_div(dividend, c.d), ((std::uint64_t{c.high} << 32) | c.low) / c.d)
            << std::hex << c.high << ":" << c.low << " / " << c.d;
    }
}

TEST(FixedArithmetic, DivisionByZeroAndShiftsOf32BitsWriteNothing)
{
    const Digit c[2] = {7, 7}, zero[2] = {0, 0};
    Digit q[2] = {0xAAAAAAAA, 0xAAAAAAAA}, r[2] = {0xBBBBBBBB, 0xBBBBBBBB};
    fixed_div(q, r, c, 2, zero, 2);
    EXPECT_EQ(digits_hex(q, 2) + digits_hex(r, 2), "AAAAAAAAAAAAAAAABBBBBBBBBBBBBBBB");
    EXPECT_EQ(fixed_shift_left(q, c, 32, 2), 0u);
    fixed_shift_right(r, c, 40, 2);
    EXPECT_EQ(digits_hex(q, 2) + digits_hex(r, 2), "AAAAAAAAAAAAAAAABBBBBBBBBBBBBBBB");
}
