// Fixed-width arithmetic against mbedTLS's bignum on random numbers of every width from 1 to 129 digits.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "rsa/fixed_num.h"
#include "tests/rsa/rsa_test_support.h"

namespace {

// Random digits; the top one non-zero so that the number has exactly n digits.
void random_digits(std::mt19937& rng, Digit* a, int n) {
    for (int i = 0; i < n; ++i)
        a[i] = rng();
    while (a[n - 1] == 0)
        a[n - 1] = rng();
}

// A reference b^c mod d by square and multiply with mbedTLS's multiplication and remainder.
void reference_exp_mod(mbedtls_mpi* x, const mbedtls_mpi* b, const mbedtls_mpi* c, const mbedtls_mpi* d) {
    TestMpi product;
    mbedtls_mpi_lset(x, 1);
    for (std::size_t bit = mbedtls_mpi_bitlen(c); bit-- > 0;) {
        mbedtls_mpi_mul_mpi(&product, x, x);
        mbedtls_mpi_mod_mpi(x, &product, d);
        if (mbedtls_mpi_get_bit(c, bit)) {
            mbedtls_mpi_mul_mpi(&product, x, b);
            mbedtls_mpi_mod_mpi(x, &product, d);
        }
    }
    mbedtls_mpi_mod_mpi(x, x, d);
}

} // namespace

TEST(FixedCodec, BigEndianBytesToDigitsAndBack)
{
    struct Case { const char* bytes; int digits; const char* value; };
    const Case cases[] = {
        {.bytes = "01", .digits = 2, .value = "0000000000000001"},
        {.bytes = "0102030405", .digits = 2, .value = "0000000102030405"},
        {.bytes = "00000000FFEEDDCCBBAA9988", .digits = 3, .value = "00000000FFEEDDCCBBAA9988"},
        {.bytes = "8000000000000001", .digits = 3, .value = "000000008000000000000001"},
        // Digits beyond the bytes are zero; bytes beyond the digits are not read.
        {.bytes = "AABBCCDD11223344", .digits = 1, .value = "11223344"},
    };
    for (const Case& c : cases) {
        const Bytes bytes = from_hex(c.bytes);
        Digit a[4] = {0xDEADBEEF, 0xDEADBEEF, 0xDEADBEEF, 0xDEADBEEF};
        fixed_decode(a, c.digits, bytes.data(), static_cast<int>(bytes.size()));
        EXPECT_EQ(digits_hex(a, c.digits), c.value) << c.bytes;
    }
}

TEST(FixedCodec, EncodeWritesTheLastByteFirstAndZeroesTheLeadingOnes)
{
    const Digit a[2] = {0x11223344, 0x00AABBCC};
    struct Case { int length; const char* bytes; };
    const Case cases[] = {
        {.length = 10, .bytes = "000000AABBCC11223344"},
        {.length = 7, .bytes = "AABBCC11223344"},
        {.length = 5, .bytes = "CC11223344"}, // the top bytes of the top digit fall away
        {.length = 3, .bytes = "223344"},
    };
    for (const Case& c : cases) {
        Bytes out(static_cast<std::size_t>(c.length), 0xEE);
        fixed_encode(out.data(), c.length, a, 2);
        EXPECT_EQ(to_hex(out), c.bytes) << c.length;
    }
}

TEST(FixedCodec, DigitCountAndComparison)
{
    const Digit zero[3] = {0, 0, 0}, small[3] = {5, 0, 0}, big[3] = {0, 0, 1}, bigger[3] = {1, 0, 1};
    EXPECT_EQ(fixed_digits(zero, 3), 0);
    EXPECT_EQ(fixed_digits(small, 3), 1);
    EXPECT_EQ(fixed_digits(big, 3), 3);
    EXPECT_EQ(fixed_compare(small, small, 3), 0);
    EXPECT_LT(fixed_compare(small, big, 3), 0);
    EXPECT_GT(fixed_compare(bigger, big, 3), 0);
    EXPECT_EQ(fixed_compare(big, small, 1), -1) << "only the first n digits count";
}

TEST(FixedArithmetic, MultiplicationMatchesMbedtlsAtEveryWidth)
{
    std::mt19937 rng(1);
    for (int n = 1; n <= FIXED_DIGITS; ++n) {
        Digit b[FIXED_DIGITS], c[FIXED_DIGITS], a[2 * FIXED_DIGITS];
        random_digits(rng, b, n);
        random_digits(rng, c, n);
        if (n % 3 == 0)
            b[rng() % n] = 0; // a zero digit of b is skipped
        TestMpi mb, mc, ma;
        mpi_from_digits(&mb, b, n);
        mpi_from_digits(&mc, c, n);
        mbedtls_mpi_mul_mpi(&ma, &mb, &mc);
        fixed_mul(a, b, c, n);
        EXPECT_EQ(digits_hex(a, 2 * n), mpi_hex(&ma, 2 * n)) << n << " digits";
    }
}

TEST(FixedArithmetic, MultiplicationOutputMayBeAnInput)
{
    Digit b[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0, 0}, c[2] = {0xFFFFFFFF, 0xFFFFFFFF};
    fixed_mul(b, b, c, 2); // (2^64 - 1)^2
    EXPECT_EQ(digits_hex(b, 4), "FFFFFFFFFFFFFFFE0000000000000001");
}

TEST(FixedArithmetic, DivisionMatchesMbedtlsAtEveryWidth)
{
    std::mt19937 rng(2);
    for (int n = 1; n <= FIXED_DIGITS; ++n) {
        // A double-width dividend as in a modular product, and one narrower than the divisor.
        for (int c_digits : {2 * n, std::max(1, n - 1)}) {
            Digit c[2 * FIXED_DIGITS], d[FIXED_DIGITS], q[2 * FIXED_DIGITS], r[FIXED_DIGITS];
            random_digits(rng, c, c_digits);
            random_digits(rng, d, n);
            if (n % 4 == 1)
                d[n - 1] = 0xFFFFFFFF; // the divisor's top digit already normalised and all ones
            if (n % 4 == 2)
                d[n - 1] = 1; // shifted by 31 bits to normalise
            TestMpi mc, md, mq, mr;
            mpi_from_digits(&mc, c, c_digits);
            mpi_from_digits(&md, d, n);
            mbedtls_mpi_div_mpi(&mq, &mr, &mc, &md);
            fixed_div(q, r, c, c_digits, d, n);
            EXPECT_EQ(digits_hex(q, c_digits), mpi_hex(&mq, c_digits)) << n << " / " << c_digits;
            EXPECT_EQ(digits_hex(r, n), mpi_hex(&mr, n)) << n << " / " << c_digits;
        }
    }
}

TEST(FixedArithmetic, DivisionByZeroWritesNothing)
{
    const Digit c[2] = {7, 7}, d[2] = {0, 0};
    Digit q[2] = {0xAAAAAAAA, 0xAAAAAAAA}, r[2] = {0xBBBBBBBB, 0xBBBBBBBB};
    fixed_div(q, r, c, 2, d, 2);
    EXPECT_EQ(digits_hex(q, 2), "AAAAAAAAAAAAAAAA");
    EXPECT_EQ(digits_hex(r, 2), "BBBBBBBBBBBBBBBB");
}

TEST(FixedArithmetic, DigitDivisionByHalves)
{
    // The largest, smallest and boundary divisors, and dividends just below the divisor * 2^32.
    struct Case { Digit high, low, d; };
    const Case cases[] = {
        {.high = 0, .low = 0, .d = 0x80000000},
        {.high = 0x7FFFFFFF, .low = 0xFFFFFFFF, .d = 0x80000000},
        {.high = 0xFFFFFFFE, .low = 0xFFFFFFFF, .d = 0xFFFFFFFF},
        {.high = 0xFFFEFFFF, .low = 0x12345678, .d = 0xFFFF0000},
        {.high = 0xFFFF0000, .low = 0xFFFFFFFF, .d = 0xFFFF0001},
        {.high = 0x80000000, .low = 0, .d = 0x80000001},
        {.high = 0x12345678, .low = 0x9ABCDEF0, .d = 0x8000FFFF},
    };
    std::mt19937 rng(3);
    std::vector<Case> all(std::begin(cases), std::end(cases));
    for (int i = 0; i < 2000; ++i) {
        const Digit d = rng() | 0x80000000;
        all.push_back({.high = static_cast<Digit>(rng() % d), .low = static_cast<Digit>(rng()), .d = d});
    }
    for (const Case& c : all) {
        const Digit dividend[2] = {c.low, c.high};
        const std::uint64_t value = (std::uint64_t{c.high} << 32) | c.low;
        EXPECT_EQ(fixed_digit_div(dividend, c.d), value / c.d) << std::hex << c.high << ":" << c.low << " / " << c.d;
    }
}

TEST(FixedArithmetic, ShiftsMatchMbedtlsAtEveryWidth)
{
    std::mt19937 rng(4);
    for (int n = 1; n <= FIXED_DIGITS; ++n) {
        Digit b[FIXED_DIGITS], a[FIXED_DIGITS];
        random_digits(rng, b, n);
        const unsigned bits = n % 32;
        TestMpi left, right;
        mpi_from_digits(&left, b, n);
        mpi_from_digits(&right, b, n);
        mbedtls_mpi_shift_l(&left, bits);
        mbedtls_mpi_shift_r(&right, bits);
        // The left shift keeps n digits and hands back the top bits that fell out.
        const Digit out = fixed_shift_left(a, b, bits, n);
        const std::string wide = mpi_hex(&left, n + 1);
        EXPECT_EQ(digits_hex(&out, 1) + digits_hex(a, n), wide) << n << " digits << " << bits;
        fixed_shift_right(a, b, bits, n);
        EXPECT_EQ(digits_hex(a, n), mpi_hex(&right, n)) << n << " digits >> " << bits;
    }
}

TEST(FixedArithmetic, ShiftsOf32BitsOrMoreDoNothing)
{
    const Digit b[2] = {1, 2};
    Digit a[2] = {9, 9};
    EXPECT_EQ(fixed_shift_left(a, b, 32, 2), 0u);
    fixed_shift_right(a, b, 40, 2);
    EXPECT_EQ(digits_hex(a, 2), "0000000900000009");
}

TEST(FixedArithmetic, ModularExponentiationMatchesMbedtlsAtEveryWidth)
{
    std::mt19937 rng(5);
    for (int n = 1; n <= FIXED_DIGITS; ++n) {
        // Short exponents at every width; whole-width ones at a few.
        const bool full = n == 1 || n == 2 || n == 3 || n == 33 || n == 64 || n == 128;
        const int c_digits = full ? n : 1 + n % 4;
        Digit b[FIXED_DIGITS], c[FIXED_DIGITS], d[FIXED_DIGITS], a[FIXED_DIGITS];
        random_digits(rng, d, n);
        random_digits(rng, b, n);
        random_digits(rng, c, c_digits);
        TestMpi mb, mc, md, ma;
        mpi_from_digits(&md, d, n);
        mpi_from_digits(&mb, b, n);
        mbedtls_mpi_mod_mpi(&mb, &mb, &md); // the base below the modulus
        Bytes base(4 * static_cast<std::size_t>(n));
        mbedtls_mpi_write_binary(&mb, base.data(), base.size());
        fixed_decode(b, n, base.data(), static_cast<int>(base.size()));
        mpi_from_digits(&mc, c, c_digits);
        reference_exp_mod(&ma, &mb, &mc, &md);
        fixed_mod_exp(a, b, c, c_digits, d, n);
        EXPECT_EQ(digits_hex(a, n), mpi_hex(&ma, n)) << n << " digits, exponent of " << c_digits;
    }
}

TEST(FixedArithmetic, ZeroExponentGivesOne)
{
    const Digit b[2] = {5, 0}, c[3] = {0, 0, 0}, d[2] = {7, 1};
    Digit a[2];
    fixed_mod_exp(a, b, c, 3, d, 2);
    EXPECT_EQ(digits_hex(a, 2), "0000000000000001");
}
