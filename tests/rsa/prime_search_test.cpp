// Prime search and the probable-prime test: trial division, Miller-Rabin rounds, candidate shaping
// and the random draws each step takes.
#include <gtest/gtest.h>

#include <algorithm>

#include "rsa/prime.h"
#include "tests/rsa/rsa_test_support.h"

#ifdef TABRIX_HAVE_OPENSSL
#include <openssl/bn.h>
#endif

TEST(PrimeTest, SmallNumbersAreDecidedByTrialDivisionAlone)
{
    for (unsigned x = 3; x < 1000; x += 2) {
        const bool listed = std::find(SMALL_PRIMES.begin(), SMALL_PRIMES.end(), x) != SMALL_PRIMES.end();
        bool prime = true;
        for (unsigned f = 3; f * f <= x; f += 2)
            prime = prime && x % f != 0;
        ASSERT_EQ(listed, prime) << x;
        TestMpi X;
        mbedtls_mpi_lset(&X, x);
        ScriptedDraws draws;
        EXPECT_EQ(prime_test(&X, draws.source()), prime ? 0 : PRIME_NOT_ACCEPTABLE) << x;
        EXPECT_EQ(draws.draws, 0u) << x << " needed no Miller-Rabin round";
    }
}

TEST(PrimeTest, KnownNumbers)
{
    struct Case { const char* what; const char* hex; int result; bool needs_rounds; };
    const Case cases[] = {
        {"1001 = 7 * 11 * 13", "3E9", PRIME_NOT_ACCEPTABLE, false},
        {"Carmichael number 561 = 3 * 11 * 17", "231", PRIME_NOT_ACCEPTABLE, false},
        {"even", "10000000000000000", PRIME_NOT_ACCEPTABLE, false},
        {"1009", "3F1", 0, true},
        {"1009 * 1013", "F98A5", PRIME_NOT_ACCEPTABLE, true},
        // Mersenne numbers: 2^31 - 1, 2^61 - 1, 2^89 - 1, 2^127 - 1 and 2^521 - 1 are prime;
        // 2^67 - 1 = 193707721 * 761838257287 (Cole, 1903).
        {"2^31 - 1", "7FFFFFFF", 0, true},
        {"2^61 - 1", "1FFFFFFFFFFFFFFF", 0, true},
        {"2^89 - 1", "1FFFFFFFFFFFFFFFFFFFFFF", 0, true},
        {"2^127 - 1", "7FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", 0, true},
        {"2^521 - 1", "1FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
                      "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", 0, true},
        {"2^67 - 1", "7FFFFFFFFFFFFFFFF", PRIME_NOT_ACCEPTABLE, true},
        {"(2^31 - 1)(2^61 - 1)", "FFFFFFFDFFFFFFF80000001", PRIME_NOT_ACCEPTABLE, true},
        {"(2^61 - 1)(2^89 - 1)", "3FFFFFFFFFFFFFFDFFFFFFE000000000000001", PRIME_NOT_ACCEPTABLE, true},
    };
    for (const Case& c : cases) {
        TestMpi X(c.hex);
        CountingDraws draws;
        EXPECT_EQ(prime_test(&X, draws.source()), c.result) << c.what;
        EXPECT_EQ(draws.draws > 0, c.needs_rounds) << c.what;
        EXPECT_EQ(X.hex(), TestMpi(c.hex).hex()) << c.what << " is left unchanged";
    }
}

TEST(PrimeTest, EachRoundDrawsFourBytesPer32BitLimb)
{
    // A prime passes every round, so its draws are rounds x 4 x limbs.
    struct Case { const char* hex; std::size_t draws; };
    const Case cases[] = {
        {"7FFFFFFF", 27 * 4},                           // 31 bits, 1 limb
        {"1FFFFFFFFFFFFFFF", 27 * 8},                   // 61 bits, 2 limbs
        {"1FFFFFFFFFFFFFFFFFFFFFF", 27 * 12},           // 89 bits, 3 limbs
        {"7FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", 27 * 16},  // 127 bits, 4 limbs
    };
    for (const Case& c : cases) {
        TestMpi X(c.hex);
        CountingDraws draws;
        ASSERT_EQ(prime_test(&X, draws.source()), 0) << c.hex;
        EXPECT_EQ(draws.draws, c.draws) << c.hex;
    }
}

TEST(PrimeGenerate, TooFewBitsDrawsNothing)
{
    for (int bits : {-1, 0, 1, 2}) {
        TestMpi X;
        ScriptedDraws draws;
        EXPECT_EQ(prime_generate(&X, bits, draws.source()), PRIME_BAD_INPUT) << bits;
        EXPECT_EQ(draws.draws, 0u) << bits;
    }
}

TEST(PrimeGenerate, CandidateShaping)
{
    // The first draw is the lowest byte; the candidate is shifted to exactly nbits bits, made odd with
    // its second bit set, then stepped by 2.
    struct Case { const char* what; int bits; Bytes draws; const char* prime; std::size_t used; };
    const Case cases[] = {
        {"all ones shifted right: 7", 3, Bytes(4, 0xFF), "07", 4},
        {"all ones shifted right: 15 steps past 2^4 to 17", 4, Bytes(4, 0xFF), "11", 4},
        {"0x0100 shifted left to 10 bits, then 0x203 steps to 521", 10, {0x00, 0x01, 0, 0}, "0209", 4},
        {"all zero draws count as 1: 2^9 + 3 steps to 521", 10, {}, "0209", 4},
        {"the lowest byte first: 0x80 shifted left: 2^7 + 3 steps to 131", 8, {0x80}, "83", 4},
        {"40 bits of ones step past 2^40 into 41 bits", 40, Bytes(8, 0xFF), "01000000000F", 8 + 27 * 8},
    };
    for (const Case& c : cases) {
        TestMpi X;
        ScriptedDraws draws{.bytes = c.draws};
        ASSERT_EQ(prime_generate(&X, c.bits, draws.source()), 0) << c.what;
        EXPECT_EQ(X.hex(), c.prime) << c.what;
        EXPECT_EQ(draws.draws, c.used) << c.what;
    }
}

TEST(PrimeGenerate, SixtyFourBitPrimeFromHavegeLikeDraws)
{
    CountingDraws draws;
    TestMpi X;
    ASSERT_EQ(prime_generate(&X, 64, draws.source()), 0);
    EXPECT_EQ(mbedtls_mpi_bitlen(&X), 64u);
    EXPECT_EQ(mbedtls_mpi_get_bit(&X, 0), 1);
#ifdef TABRIX_HAVE_OPENSSL
    Bytes bytes(8);
    mbedtls_mpi_write_binary(&X, bytes.data(), bytes.size());
    BIGNUM* reference = BN_bin2bn(bytes.data(), 8, nullptr);
    EXPECT_EQ(BN_check_prime(reference, nullptr, nullptr), 1) << X.hex();
    BN_free(reference);
#endif
    CountingDraws again;
    EXPECT_EQ(prime_test(&X, again.source()), 0);
    EXPECT_EQ(again.draws, 27u * 8) << "27 rounds of two limbs";
}
