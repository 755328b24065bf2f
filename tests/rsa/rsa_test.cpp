// rsa_test.cpp: raw RSA: the fixed-width arithmetic against mbedTLS at every width, and the cases of the two
// RSA rows from tests/data.
#include <random>

#include "tests/support/cases.h"
#include "tests/support/rsa_check.h"

namespace {

using RsaRows = RowCases;

TEST_F(RsaRows, Cases)
{
    for (const Json& c : read_cases("rsa"))
        check(c);
}

TEST(FixedArithmetic, EveryOperationMatchesMbedtlsAtEveryWidth)
{
    std::mt19937 rng(1);
    const auto random = [&](int n) { // n digits, the top one non-zero but its top bits random
        Bytes b(4 * static_cast<std::size_t>(n));
        for (auto& x : b)
            x = static_cast<std::uint8_t>(rng());
        b[3] |= 1;
        return b;
    };
    for (int n = 1; n <= FIXED_DIGITS; ++n) {
        Bytes b = random(n);
        if (n % 3 == 0) // a zero digit of b, which the multiplication skips
            std::fill_n(b.begin() + 4 * (1 + rng() % (n - 1)), 4, 0);
        EXPECT_EQ(rsa_check::mul(b, random(n), n), "") << n << " digits";
        EXPECT_EQ(rsa_check::shifts(b, n % 32, n), "") << n << " digits";

        // The divisor's top digit all ones (already normalised) or 1 (shifted by 31 bits) at some widths; a
        // double-width dividend as in a modular product, and one narrower than the divisor.
        Bytes d = random(n);
        if (n % 4 == 1 || n % 4 == 2)
            std::copy_n(n % 4 == 1 ? "\xFF\xFF\xFF\xFF" : "\0\0\0\1", 4, d.begin());
        d.back() |= 1;
        for (int cd : {2 * n, std::max(1, n - 1)})
            EXPECT_EQ(rsa_check::div(random(cd), cd, d, n), "") << n << " digits, dividend of " << cd;

        // An input below that modulus raised to short exponents at every width, to whole-width ones at a few.
        Bytes in = random(n);
        std::fill_n(in.begin(), 4, 0);
        const int e_digits = n <= 3 || n == 33 || n == 64 || n == 128 ? n : 1 + n % 4;
        if (4 * n <= RSA_MAX_BYTES) {
            EXPECT_EQ(rsa_check::modexp(in, d, random(e_digits)), "") << n << " digits, exponent of " << e_digits;
        }

        // Digit division against native division: the divisor's high half 0xFFFF or all ones at times, the
        // dividend's high digit at times just below the divisor.
        for (int i = 0; i < 16; ++i) {
            const Digit t = i % 4 == 0 ? 0xFFFF0000 + i % 3 : i % 4 == 1 ? 0xFFFFFFFF : rng() | 0x80000000;
            const Digit two[2] = {static_cast<Digit>(rng()), i % 2 ? t - 1 : static_cast<Digit>(rng() % t)};
            EXPECT_EQ(fixed_digit_div_halves(two, t), ((std::uint64_t{two[1]} << 32) | two[0]) / t);
            EXPECT_EQ(fixed_digit_div(two, t), ((std::uint64_t{two[1]} << 32) | two[0]) / t)
                << std::hex << two[1] << ":" << two[0] << " / " << t;
        }
    }
}

} // namespace
