// rsa_key_test.cpp: RSA key generation, both ways and through the rows, and what it rests on: the HAVEGE
// generator and the probable-prime test (trial division, then Miller-Rabin rounds drawing 4 bytes a limb).
#include <memory>
#include <random>
#include <string>

#include "rsa/havege.h"
#include "rsa/key_verify.h"
#include "rsa/montgomery.h"
#include "rsa/prime.h"
#include "rsa/rsa_key.h"
#include "tests/support/rsa_check.h"
#include "tests/support/cases.h"

namespace {

Bytes bytes_of(const mbedtls_mpi* x)
{
    Bytes out((mbedtls_mpi_bitlen(x) + 7) / 8);
    mbedtls_mpi_write_binary(x, out.data(), out.size());
    return out;
}

// A random source that replays a list of bytes (then zeros) and counts its draws.
struct Draws {
    Bytes bytes = {};
    std::size_t draws = 0;
    RandomSource source() { return {draw, this}; }
    static std::int32_t draw(void* state) {
        auto* self = static_cast<Draws*>(state);
        const std::size_t i = self->draws++;
        return i < self->bytes.size() ? self->bytes[i] : 0;
    }
};

std::uint32_t constant_a() { return 0x5A5A1234; }
std::uint32_t constant_b() { return 0x5A5A1235; }

// n draws of a new generator reading this counter (null: the time-stamp counter); states kept off the stack.
std::vector<std::int32_t> stream(HavegeCounter counter, int n)
{
    const auto state = std::make_unique<HavegeState>();
    havege_counter = counter;
    havege_init(state.get());
    std::vector<std::int32_t> out(static_cast<std::size_t>(n));
    for (auto& x : out)
        x = havege_draw(state.get());
    havege_counter = nullptr;
    return out;
}

// m^d by the CRT then ^e by the fixed-width arithmetic gives m back (the other way round goes through the rows
// below); the verification passes the pair, and catches one bit of the private exponent flipped or D mod (P - 1) off by one.
TEST(KeyGeneration, PairsOfSeveralSizesWorkBothWaysAndVerify)
{
    const auto random_state = std::make_unique<HavegeState>();
    havege_init(random_state.get());
    for (int k : {16, 17, 64}) {
        for (std::uint32_t e : {3u, 0x010001u}) {
            RsaKeyPair key;
            rsa_key_reset(&key, havege_source(random_state.get()));
            ASSERT_EQ(rsa_generate_key(&key, 8 * k, e), 0) << k << " bytes, e = " << e;
            ASSERT_EQ(mbedtls_mpi_bitlen(&key.N), 8u * k) << k;
            EXPECT_EQ(mbedtls_mpi_bitlen(&key.P), 4u * k) << k;
            EXPECT_GT(mbedtls_mpi_cmp_mpi(&key.P, &key.Q), 0) << "P > Q";
            const Bytes n = bytes_of(&key.N), pub = bytes_of(&key.E);
            Bytes d = bytes_of(&key.D), m = n, back(m.size()), signature(m.size());
            m[0] /= 2; // below N
            ASSERT_EQ(rsa_private_crt(&key, m.data(), signature.data()), 0);
            rsa_modexp(signature.data(), n.data(), k, pub.data(), static_cast<int>(pub.size()), back.data());
            EXPECT_EQ(to_hex(back), to_hex(m)) << k << " bytes, e = " << e;
            EXPECT_EQ(rsa_private_crt(&key, n.data(), back.data()), RSA_BAD_INPUT) << "input not below N";
            const int corrupt = k == 16 ? 2 : k == 17 ? 1 : 0; // 2: D mod (P - 1) off by one; 1: a bit of D flipped
            d.back() ^= corrupt == 1 ? 0x02 : 0;
            mbedtls_mpi_add_int(&key.DP, &key.DP, corrupt == 2);
            EXPECT_EQ(rsa_verify_pair(&key, n.data(), d.data(), static_cast<int>(d.size())), corrupt == 0) << k;
            EXPECT_TRUE(!key.N.p && !key.D.p && !key.RP.p) << k << ": numbers released";
            rsa_key_free(&key);
        }
    }
}

// Exponents that can never be prime to (P - 1)(Q - 1) are refused before a single draw, so nothing loops.
TEST(KeyGeneration, BadExponentsDrawNothing)
{
    for (std::uint32_t e : {0u, 1u, 2u, 4u, 0x10000u, 0xFFFFFEu}) {
        Draws random;
        RsaKeyPair key;
        rsa_key_reset(&key, random.source());
        EXPECT_EQ(rsa_generate_key(&key, 128, e), RSA_BAD_INPUT) << e;
        EXPECT_EQ(random.draws, 0u) << e;
        rsa_key_free(&key);
    }
}

TEST_F(Workbench, KeyOf256BytesRoundTripsThroughTheRsaRow)
{
    choose("RSA Key Generation");
    run_with("000100", "010001"); // three size bytes: the same as "0100"
    ASSERT_EQ(last_message(), "");
    const std::string modulus = output(), d = text(2), message(512, '5');
    EXPECT_EQ(counter(4), "256 bytes");
    ASSERT_EQ(modulus.size(), 512u);
    EXPECT_GE(modulus[0], '8') << "the top bit set";
    EXPECT_EQ(text(3), "") << "field 3 is not used";
    choose("RSA Encryption/Decription");
    run_with(message, modulus, "010001");
    run_with(output(), modulus, d);
    EXPECT_EQ(output(), message) << last_message();
}

TEST(Havege, ConstantCounterIsDeterministicAndRealReadingsDiffer)
{
    EXPECT_EQ(stream(constant_a, 1500), stream(constant_a, 1500)) << "three fills, the same readings";
    EXPECT_NE(stream(constant_a, 16), stream(constant_b, 16)) << "one bit of difference in the readings";
    EXPECT_NE(stream(nullptr, 64), stream(nullptr, 64)) << "two generators on the time-stamp counter";
}

// The cases of tests/data/prime.jsonl; draws: 0 when trial division decides, -1 for "some".
TEST(PrimeTest, KnownNumbers)
{
    const std::vector<std::int32_t> drawn = stream(constant_a, 8192); // the bases' bytes
    for (const Json& c : read_cases("prime")) {
        Mpi X, original;
        mbedtls_mpi_read_string(&X, 16, c["hex"].get<std::string>().c_str());
        mbedtls_mpi_copy(&original, &X);
        Draws draws{.bytes = Bytes(drawn.begin(), drawn.end())};
        const long expected_draws = c["draws"];
        EXPECT_EQ(prime_test(&X, draws.source()), c["prime"].get<bool>() ? 0 : PRIME_NOT_ACCEPTABLE) << c["what"];
        EXPECT_TRUE(expected_draws < 0 ? draws.draws > 0 : long(draws.draws) == expected_draws) << c["what"] << ": " << draws.draws;
        EXPECT_EQ(mbedtls_mpi_cmp_mpi(&X, &original), 0) << c["what"] << " is left unchanged";
    }
}

// Montgomery exponentiation against mbedTLS's: odd moduli of 1 to 128 digits, bases and exponents of
// every length up to the modulus' own, and the edges (base 0 and 1, exponent 0, modulus 1).
TEST(Montgomery, SameAsMbedtlsExpMod)
{
    std::mt19937 rng(22);
    const auto number = [&](Mpi& x, int words) {
        std::vector<std::uint8_t> bytes(4 * static_cast<std::size_t>(words));
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(rng());
        mbedtls_mpi_read_binary(&x, bytes.data(), bytes.size());
    };
    for (int words = 1; words <= 128; words += words < 8 ? 1 : words < 64 ? 7 : 21) {
        for (int trial = 0; trial < 3; ++trial) {
            Mpi N, A, E, expected, got;
            number(N, words);
            mbedtls_mpi_set_bit(&N, 0, 1);
            number(A, words);
            mbedtls_mpi_mod_mpi(&A, &A, &N);
            if (trial == 1)
                mbedtls_mpi_lset(&A, trial == 1 && words % 2 ? 0 : 1);
            number(E, trial == 2 ? words : 1 + words % 3);
            if (words == 1 && trial == 0)
                mbedtls_mpi_lset(&E, 0);
            ASSERT_EQ(mbedtls_mpi_exp_mod(&expected, &A, &E, &N, nullptr), 0);
            ASSERT_EQ(montgomery_exp_mod(&got, &A, &E, &N), 0) << words << " digits";
            EXPECT_EQ(mbedtls_mpi_cmp_mpi(&got, &expected), 0) << words << " digits, trial " << trial;
        }
    }
    Mpi one, A, E, got;
    mbedtls_mpi_lset(&one, 1);
    mbedtls_mpi_lset(&E, 5);
    ASSERT_EQ(montgomery_exp_mod(&got, &A, &E, &one), 0);
    EXPECT_EQ(mbedtls_mpi_cmp_int(&got, 0), 0) << "anything mod 1";
    mbedtls_mpi_lset(&A, 2);
    EXPECT_EQ(montgomery_exp_mod(&got, &A, &E, &A), MBEDTLS_ERR_MPI_BAD_INPUT_DATA) << "an even modulus";
}

// The searches of tests/data/prime_search.jsonl: the same prime from the same draws, and as many draws.
TEST(PrimeGenerate, FixedDrawsGiveTheRecordedPrimeAndDraws)
{
    struct Counted {
        HavegeState* state;
        std::size_t draws = 0;
        static std::int32_t draw(void* self) {
            auto* c = static_cast<Counted*>(self);
            ++c->draws;
            return havege_draw(c->state);
        }
    };
    for (const Json& c : read_cases("prime_search")) {
        const auto state = std::make_unique<HavegeState>();
        havege_counter = constant_a;
        havege_init(state.get()); // the counter is read at every refill: reset when the search is done
        for (int i = 0; i < c["skip"].get<int>(); ++i)
            havege_draw(state.get());
        Counted counted{state.get()};
        Mpi X;
        ASSERT_EQ(prime_generate(&X, c["bits"].get<int>(), {Counted::draw, &counted}), 0) << c;
        havege_counter = nullptr;
        char hex[1100];
        std::size_t length = 0;
        ASSERT_EQ(mbedtls_mpi_write_string(&X, 16, hex, sizeof hex, &length), 0);
        EXPECT_EQ(std::string(hex), c["hex"].get<std::string>()) << c["bits"] << " bits, skip " << c["skip"];
        EXPECT_EQ(counted.draws, c["draws"].get<std::size_t>()) << c["bits"] << " bits, skip " << c["skip"];
    }
}

} // namespace
