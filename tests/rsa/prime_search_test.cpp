// The probable-prime test (trial division, then Miller-Rabin rounds drawing 4 bytes per 32-bit limb) and
// the shaping of prime_generate's candidates.
#include <gtest/gtest.h>

#include <algorithm>

#include "rsa/prime.h"
#include "tests/rsa/rsa_test_support.h"

TEST(PrimeTest, SmallNumbersAreDecidedByTrialDivisionAlone)
{
    for (unsigned x = 3; x < 1000; x += 2) {
        bool prime = true;
        for (unsigned f = 3; f * f <= x; f += 2)
            prime = prime && x % f != 0;
        ASSERT_EQ(std::find(SMALL_PRIMES.begin(), SMALL_PRIMES.end(), x) != SMALL_PRIMES.end(), prime) << x;
        TestMpi X;
        mbedtls_mpi_lset(&X, x);
        ScriptedDraws draws;
        EXPECT_EQ(prime_test(&X, draws.source()), prime ? 0 : PRIME_NOT_ACCEPTABLE) << x;
        EXPECT_EQ(draws.draws, 0u) << x << " needed no Miller-Rabin round";
    }
}

TEST(PrimeTest, KnownNumbers)
{
    // draws: 0 when trial division decides, -1 for "some"; a prime passes 27 rounds of 4 draws per limb up
    // to 127 bits. 2^31, 2^61, 2^89, 2^127 and 2^521 - 1 are Mersenne primes; 2^67 - 1 = 193707721 *
    // 761838257287 (Cole, 1903).
    struct Case { const char* what; const char* hex; int result; long draws; };
    const Case cases[] = {
        {.what = "1001 = 7 * 11 * 13", .hex = "3E9", .result = PRIME_NOT_ACCEPTABLE, .draws = 0},
        {.what = "Carmichael 561 = 3 * 11 * 17", .hex = "231", .result = PRIME_NOT_ACCEPTABLE, .draws = 0},
        {.what = "even", .hex = "10000000000000000", .result = PRIME_NOT_ACCEPTABLE, .draws = 0},
        {.what = "1009", .hex = "3F1", .result = 0, .draws = 27 * 4},
        {.what = "1009 * 1013", .hex = "F98A5", .result = PRIME_NOT_ACCEPTABLE, .draws = -1},
        {.what = "2^31 - 1", .hex = "7FFFFFFF", .result = 0, .draws = 27 * 4},
        {.what = "2^61 - 1", .hex = "1FFFFFFFFFFFFFFF", .result = 0, .draws = 27 * 8},
        {.what = "2^89 - 1", .hex = "1FFFFFFFFFFFFFFFFFFFFFF", .result = 0, .draws = 27 * 12},
        {.what = "2^127 - 1", .hex = "7FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", .result = 0, .draws = 27 * 16},
        {.what = "2^521 - 1", .hex = "1FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
                                     "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", .result = 0, .draws = -1},
        {.what = "2^67 - 1", .hex = "7FFFFFFFFFFFFFFFF", .result = PRIME_NOT_ACCEPTABLE, .draws = -1},
        {.what = "(2^31 - 1)(2^61 - 1)", .hex = "FFFFFFFDFFFFFFF80000001", .result = PRIME_NOT_ACCEPTABLE, .draws = -1},
        {.what = "(2^61 - 1)(2^89 - 1)", .hex = "3FFFFFFFFFFFFFFDFFFFFFE000000000000001",
         .result = PRIME_NOT_ACCEPTABLE, .draws = -1},
    };
    for (const Case& c : cases) {
        TestMpi X(c.hex);
        CountingDraws draws;
        EXPECT_EQ(prime_test(&X, draws.source()), c.result) << c.what;
        EXPECT_TRUE(c.draws < 0 ? draws.draws > 0 : draws.draws == static_cast<std::size_t>(c.draws))
            << c.what << ": " << draws.draws << " draws";
        EXPECT_EQ(X.hex(66), TestMpi(c.hex).hex(66)) << c.what << " is left unchanged";
    }
}

TEST(PrimeGenerate, CandidateShaping)
{
    // The first draw is the lowest byte; the candidate is shifted to exactly nbits bits, made odd with its
    // second bit set, then stepped by 2. Fewer than 3 bits are refused before any draw.
    struct Case { const char* what; int bits; Bytes draws; int result; const char* prime; std::size_t used; };
    const Case cases[] = {
        {"2 bits", 2, {}, PRIME_BAD_INPUT, "", 0},
        {"0 bits", 0, {}, PRIME_BAD_INPUT, "", 0},
        {"all ones shifted right: 7", 3, Bytes(4, 0xFF), 0, "07", 4},
        {"all ones shifted right: 15 steps past 2^4 to 17", 4, Bytes(4, 0xFF), 0, "11", 4},
        {"0x0100 shifted left to 10 bits, then 0x203 steps to 521", 10, {0x00, 0x01, 0, 0}, 0, "0209", 4},
        {"all zero draws count as 1: 2^9 + 3 steps to 521", 10, {}, 0, "0209", 4},
        {"the lowest byte first: 0x80 shifted left: 2^7 + 3 steps to 131", 8, {0x80}, 0, "83", 4},
        {"40 bits of ones step past 2^40 into 41 bits", 40, Bytes(8, 0xFF), 0, "01000000000F", 8 + 27 * 8},
    };
    for (const Case& c : cases) {
        TestMpi X;
        ScriptedDraws draws{.bytes = c.draws};
        ASSERT_EQ(prime_generate(&X, c.bits, draws.source()), c.result) << c.what;
        EXPECT_EQ(X.hex(std::string_view(c.prime).size() / 2), c.prime) << c.what;
        EXPECT_EQ(draws.draws, c.used) << c.what;
    }
}
