// The HAVEGE generator and the probable-prime test (trial division, then Miller-Rabin rounds drawing 4 bytes
// per 32-bit limb).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "rsa/havege.h"
#include "rsa/prime.h"
#include "tests/rsa/rsa_test_support.h"

static std::uint32_t constant_a() { return 0x5A5A1234; }
static std::uint32_t constant_b() { return 0x5A5A1235; }

// n draws of a new generator reading this counter (null: the time-stamp counter); states kept off the stack.
static std::vector<std::int32_t> stream(HavegeCounter counter, int n) {
    const auto state = std::make_unique<HavegeState>();
    havege_counter = counter;
    havege_init(state.get());
    std::vector<std::int32_t> out(static_cast<std::size_t>(n));
    for (auto& x : out)
        x = havege_draw(state.get());
    havege_counter = nullptr;
    return out;
}

TEST(Havege, ConstantCounterIsDeterministicAndRealReadingsDiffer)
{
    EXPECT_EQ(stream(constant_a, 1500), stream(constant_a, 1500)) << "three fills, the same readings";
    EXPECT_NE(stream(constant_a, 16), stream(constant_b, 16)) << "one bit of difference in the readings";
    EXPECT_NE(stream(nullptr, 64), stream(nullptr, 64)) << "two generators on the time-stamp counter";
}

TEST(Havege, OffsetsAndRefill)
{
    const auto first = std::make_unique<HavegeState>(), second = std::make_unique<HavegeState>();
    const auto offsets = [&] { return std::pair{first->offset[0], first->offset[1]}; };
    havege_counter = constant_a;
    havege_init(first.get());
    EXPECT_EQ(offsets(), std::pair(0, 512));
    // Each draw pairs a word of the first half with the word 512 places further on.
    std::vector<std::int32_t> expected, drawn;
    for (int i = 0; i < 512; ++i) {
        expected.push_back(first->pool[i] ^ first->pool[i + 512]);
        drawn.push_back(havege_draw(first.get()));
    }
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(offsets(), std::pair(512, 1024));
    // The 513th draw fills first, then returns pool[0] ^ pool[512] of the refilled pool.
    std::memcpy(second.get(), first.get(), sizeof(HavegeState));
    havege_fill(second.get());
    EXPECT_EQ(havege_draw(first.get()), second->pool[0] ^ second->pool[512]);
    EXPECT_EQ(offsets(), std::pair(1, 513));
    EXPECT_EQ(std::memcmp(first->pool, second->pool, sizeof first->pool), 0);
    havege_counter = nullptr;
}

TEST(PrimeTest, SmallNumbersAreDecidedByTrialDivisionAlone)
{
    for (unsigned x = 3; x < 1000; x += 2) {
        bool prime = true;
        for (unsigned f = 3; f * f <= x; f += 2)
            prime = prime && x % f != 0;
        TestMpi X;
        mbedtls_mpi_lset(&X, x);
        Draws draws;
        EXPECT_EQ(prime_test(&X, draws.source()), prime ? 0 : PRIME_NOT_ACCEPTABLE) << x;
        EXPECT_EQ(draws.draws, 0u) << x << " needed no Miller-Rabin round";
    }
}

TEST(PrimeTest, KnownNumbers)
{
    // draws: 0 when trial division decides, -1 for "some"; a small prime passes 27 rounds of 4 draws per
    // limb. 2^61 - 1 and 2^521 - 1 are Mersenne primes; 2^67 - 1 = 193707721 * 761838257287.
    struct Case { const char* what; std::string hex; int result; long draws; };
    const int composite = PRIME_NOT_ACCEPTABLE;
    const Case cases[] = {
        {.what = "1001 = 7 * 11 * 13", .hex = "3E9", .result = composite, .draws = 0},
        {.what = "Carmichael 561 = 3 * 11 * 17", .hex = "231", .result = composite, .draws = 0},
        {.what = "1009", .hex = "3F1", .result = 0, .draws = 27 * 4},
        {.what = "1009 * 1013", .hex = "F98A5", .result = composite, .draws = -1},
        {.what = "2^61 - 1", .hex = "1FFFFFFFFFFFFFFF", .result = 0, .draws = 27 * 8},
        {.what = "2^521 - 1", .hex = "1" + std::string(130, 'F'), .result = 0, .draws = -1},
        {.what = "2^67 - 1", .hex = "7FFFFFFFFFFFFFFFF", .result = composite, .draws = -1},
    };
    const std::vector<std::int32_t> drawn = stream(constant_a, 8192); // the bases' bytes
    const Bytes noise(drawn.begin(), drawn.end());
    for (const Case& c : cases) {
        TestMpi X(c.hex);
        Draws draws{.bytes = noise};
        EXPECT_EQ(prime_test(&X, draws.source()), c.result) << c.what;
        EXPECT_TRUE(c.draws < 0 ? draws.draws > 0 : draws.draws == static_cast<std::size_t>(c.draws))
            << c.what << ": " << draws.draws << " draws";
        EXPECT_EQ(X.hex(66), TestMpi(c.hex).hex(66)) << c.what << " is left unchanged";
    }
}
