// RSA key generation: pairs of several sizes checked both ways, the verification catching a bad pair,
// and the "RSA Key Generation" row's errors and largest tested key through the fake window.
#include <gtest/gtest.h>

#include <memory>

#include "rsa/havege.h"
#include "rsa/key_verify.h"
#include "rsa/rsa_key.h"
#include "rsa/rsa_raw.h"
#include "tests/rsa/rsa_test_support.h"

static Bytes mpi_bytes(const mbedtls_mpi* x) {
    Bytes out((mbedtls_mpi_bitlen(x) + 7) / 8);
    mbedtls_mpi_write_binary(x, out.data(), out.size());
    return out;
}

class KeyGeneration : public ::testing::Test {
protected:
    std::unique_ptr<HavegeState> random_state = std::make_unique<HavegeState>();
    RsaKeyPair key;
    void SetUp() override { havege_init(random_state.get()); }
    void TearDown() override { rsa_key_free(&key); }
    bool generate(int k, std::uint32_t e) {
        rsa_key_reset(&key, havege_source(random_state.get()));
        return rsa_generate_key(&key, 8 * k, e) == 0;
    }
};

TEST_F(KeyGeneration, PairsOfSeveralSizesWorkBothWays)
{
    for (int k : {16, 17, 64}) {
        for (std::uint32_t e : {3u, 0x010001u}) {
            ASSERT_TRUE(generate(k, e)) << k << " bytes, e = " << e;
            ASSERT_EQ(mbedtls_mpi_bitlen(&key.N), 8u * k) << k;
            EXPECT_EQ(mbedtls_mpi_bitlen(&key.P), 4u * k) << k;
            EXPECT_GT(mbedtls_mpi_cmp_mpi(&key.P, &key.Q), 0) << "P > Q";
            // m^e then ^d by the fixed-width arithmetic, and m^d by the CRT then ^e, give m back.
            const Bytes n = mpi_bytes(&key.N), d = mpi_bytes(&key.D), pub = mpi_bytes(&key.E);
            Bytes m = n, there(m.size()), back(m.size()), signature(m.size());
            m[0] /= 2; // below N
            rsa_modexp(m.data(), n.data(), k, pub.data(), static_cast<int>(pub.size()), there.data());
            rsa_modexp(there.data(), n.data(), k, d.data(), static_cast<int>(d.size()), back.data());
            EXPECT_EQ(to_hex(back), to_hex(m)) << k << " bytes, e = " << e;
            ASSERT_EQ(rsa_private_crt(&key, m.data(), signature.data()), 0);
            rsa_modexp(signature.data(), n.data(), k, pub.data(), static_cast<int>(pub.size()), back.data());
            EXPECT_EQ(to_hex(back), to_hex(m)) << k << " bytes, e = " << e;
            EXPECT_EQ(rsa_private_crt(&key, n.data(), back.data()), RSA_BAD_INPUT) << "input not below N";
            rsa_key_free(&key);
        }
    }
}

TEST_F(KeyGeneration, VerificationPassesAGoodPairAndCatchesCorruptOnes)
{
    // 0: as generated; 1: one bit of the private exponent's bytes flipped; 2: D mod (P - 1) off by one.
    for (int corrupt : {0, 1, 2}) {
        ASSERT_TRUE(generate(16, 0x010001));
        const Bytes n = mpi_bytes(&key.N);
        Bytes d = mpi_bytes(&key.D);
        d.back() ^= corrupt == 1 ? 0x02 : 0;
        mbedtls_mpi_add_int(&key.DP, &key.DP, corrupt == 2);
        EXPECT_EQ(rsa_verify_pair(&key, n.data(), d.data(), static_cast<int>(d.size())), corrupt == 0) << corrupt;
        EXPECT_TRUE(!key.N.p && !key.D.p && !key.RP.p) << corrupt << ": numbers released";
    }
}

using KeyGenerationRow = RsaBench;

// Exponents that can never be prime to (P - 1)(Q - 1) are refused before a single draw, so nothing loops.
TEST(KeyGenerationRefusal, BadExponentsDrawNothing)
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

TEST_F(KeyGenerationRow, Errors)
{
    struct Case { const char* what; const char* size; const char* exp; bool ascii; const char* message; int focus; };
    const char *length = "Invalid key length!", *exponent = "Invalid Public Exponent size!",
               *unable = "Unable to generate RSA key!";
    const Case cases[] = {
        {"513 bytes", "0201", "010001", false, length, 0},
        {"four size bytes though the value is 256", "00000100", "010001", false, length, 0},
        {"ASCII '01' is 0x3031", "01", "010001", true, length, 0},
        {"odd number of digits", "010", "03", false, "Invalid field size!", 0},
        {"four-byte exponent", "10", "00000003", false, exponent, 1},
        {"exponent size checked before the key size's value", "0300", "01000001", false, exponent, 1},
        {"empty exponent", "10", "", false, exponent, 1},
        {"15 bytes", "0F", "03", false, unable, -1},
        {"0 bytes", "00", "03", false, unable, -1},
        {"e = 1", "10", "01", false, unable, -1},
        {"e = 2", "10", "02", false, unable, -1},
        {"even e", "10", "010000", false, unable, -1},
    };
    choose("RSA Key Generation");
    for (const Case& c : cases) {
        set_ascii(0, c.ascii);
        run_clean(c.size, c.exp);
        expect_error(c.what, c.message, c.focus);
        EXPECT_EQ(text(2), "") << c.what;
    }
}

TEST_F(KeyGenerationRow, KeyOf256BytesRoundTripsThroughTheRsaRow)
{
    choose("RSA Key Generation");
    run_with("000100", "010001"); // three size bytes: the same as "0100"
    ASSERT_TRUE(w.messages.empty()) << last_message();
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
