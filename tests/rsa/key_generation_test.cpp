// RSA key generation: key pairs of several sizes checked both ways, the verification catching a bad
// pair, refused inputs, and the "RSA Key Generation" row through the fake window.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "rsa/havege.h"
#include "rsa/key_verify.h"
#include "rsa/rsa_key.h"
#include "rsa/rsa_raw.h"
#include "tests/rsa/rsa_test_support.h"
#include "tests/support/workbench.h"

namespace {

Bytes mpi_bytes(const mbedtls_mpi* x, std::size_t length) {
    Bytes out(length);
    mbedtls_mpi_write_binary(x, out.data(), length);
    return out;
}

Bytes minimal_bytes(const mbedtls_mpi* x) { return mpi_bytes(x, (mbedtls_mpi_bitlen(x) + 7) / 8); }

class KeyGeneration : public ::testing::Test {
protected:
    std::unique_ptr<HavegeState> random_state = std::make_unique<HavegeState>();
    RsaKeyPair key;
    void SetUp() override {
        havege_init(random_state.get());
        rsa_key_reset(&key, havege_source(random_state.get()));
    }
    void TearDown() override { rsa_key_free(&key); }
};

} // namespace

TEST_F(KeyGeneration, PairsOfSeveralSizesWorkBothWays)
{
    struct Case { int k; std::uint32_t e; };
    const Case cases[] = {{16, 3}, {16, 0x010001}, {17, 3}, {17, 0x010001}, {64, 3}, {64, 0x010001}};
    std::mt19937 rng(16);
    for (const Case& c : cases) {
        rsa_key_free(&key);
        rsa_key_reset(&key, havege_source(random_state.get()));
        ASSERT_EQ(rsa_generate_key(&key, 8 * c.k, c.e), 0) << c.k;
        EXPECT_EQ(mbedtls_mpi_bitlen(&key.N), 8u * c.k) << c.k;
        EXPECT_EQ(mbedtls_mpi_bitlen(&key.P), 4u * c.k) << c.k;
        EXPECT_EQ(key.len, c.k);
        EXPECT_GT(mbedtls_mpi_cmp_mpi(&key.P, &key.Q), 0) << "P > Q";
        TestMpi product, phi, p1, q1, check;
        mbedtls_mpi_mul_mpi(&product, &key.P, &key.Q);
        EXPECT_EQ(mbedtls_mpi_cmp_mpi(&product, &key.N), 0);
        // D * E = 1 modulo (P - 1)(Q - 1)
        mbedtls_mpi_sub_int(&p1, &key.P, 1);
        mbedtls_mpi_sub_int(&q1, &key.Q, 1);
        mbedtls_mpi_mul_mpi(&phi, &p1, &q1);
        mbedtls_mpi_mul_mpi(&product, &key.D, &key.E);
        mbedtls_mpi_mod_mpi(&check, &product, &phi);
        EXPECT_EQ(mbedtls_mpi_cmp_int(&check, 1), 0) << c.k;

        // A value raised to e and then to d, by the fixed-width arithmetic, comes back.
        const Bytes n = mpi_bytes(&key.N, static_cast<std::size_t>(c.k));
        const Bytes d = minimal_bytes(&key.D);
        const Bytes e = minimal_bytes(&key.E);
        Bytes message(static_cast<std::size_t>(c.k)), there(message.size()), back(message.size()), crt(message.size());
        for (auto& b : message)
            b = static_cast<std::uint8_t>(rng());
        message[0] &= 0x7F;
        ASSERT_EQ(rsa_modexp(message.data(), n.data(), c.k, e.data(), static_cast<int>(e.size()), there.data()), 0);
        ASSERT_EQ(rsa_modexp(there.data(), n.data(), c.k, d.data(), static_cast<int>(d.size()), back.data()), 0);
        EXPECT_EQ(to_hex(back), to_hex(message)) << c.k;
        // The private-key operation by the Chinese remainder theorem agrees.
        ASSERT_EQ(rsa_private_crt(&key, there.data(), crt.data()), 0);
        EXPECT_EQ(to_hex(crt), to_hex(message)) << c.k;
    }
}

TEST_F(KeyGeneration, VerificationPassesAGoodPairAndCatchesCorruptOnes)
{
    struct Case { const char* what; bool corrupt_d; bool corrupt_dp; bool passes; };
    const Case cases[] = {
        {"the pair as generated", false, false, true},
        {"one bit of the private exponent bytes flipped", true, false, false},
        {"D mod (P - 1) off by one", false, true, false},
    };
    for (const Case& c : cases) {
        rsa_key_reset(&key, havege_source(random_state.get()));
        ASSERT_EQ(rsa_generate_key(&key, 8 * 16, 0x010001), 0);
        const Bytes n = mpi_bytes(&key.N, 16);
        Bytes d = minimal_bytes(&key.D);
        if (c.corrupt_d)
            d.back() ^= 0x02;
        if (c.corrupt_dp)
            mbedtls_mpi_add_int(&key.DP, &key.DP, 1);
        EXPECT_EQ(rsa_verify_pair(&key, n.data(), d.data(), static_cast<int>(d.size())), c.passes) << c.what;
        EXPECT_EQ(key.N.p, nullptr) << c.what << ": numbers released";
        EXPECT_EQ(key.D.p, nullptr) << c.what;
        EXPECT_EQ(key.RP.p, nullptr) << c.what;
    }
}

TEST_F(KeyGeneration, RefusedBeforeAnyDraw)
{
    struct Case { const char* what; int nbits; std::uint32_t e; bool source; };
    const Case cases[] = {
        {"127 bits", 127, 3, true},
        {"no bits", 0, 3, true},
        {"e = 1", 128, 1, true},
        {"e = 2", 128, 2, true},
        // An even exponent is never prime to (P - 1)(Q - 1): the search would never end.
        {"e = 4", 128, 4, true},
        {"e = 0x010000", 128, 0x010000, true},
        {"no random source", 128, 3, false},
    };
    for (const Case& c : cases) {
        ScriptedDraws draws;
        rsa_key_free(&key);
        rsa_key_reset(&key, c.source ? draws.source() : RandomSource{nullptr, nullptr});
        EXPECT_EQ(rsa_generate_key(&key, c.nbits, c.e), RSA_BAD_INPUT) << c.what;
        EXPECT_EQ(draws.draws, 0u) << c.what;
    }
}

TEST_F(KeyGeneration, PrivateOperationRefusesAnInputNotBelowTheModulus)
{
    ASSERT_EQ(rsa_generate_key(&key, 128, 3), 0);
    Bytes n = mpi_bytes(&key.N, 16), out(16, 0xEE);
    EXPECT_EQ(rsa_private_crt(&key, n.data(), out.data()), RSA_BAD_INPUT);
    n.assign(16, 0xFF);
    EXPECT_EQ(rsa_private_crt(&key, n.data(), out.data()), RSA_BAD_INPUT);
}

using KeyGenerationRow = Workbench;

TEST_F(KeyGenerationRow, Errors)
{
    struct Case { const char* what; const char* size; const char* exponent; bool ascii; const char* message; int focus; };
    const Case cases[] = {
        {"513 bytes", "0201", "010001", false, "Invalid key length!", 0},
        {"four size bytes though the value is 256", "00000100", "010001", false, "Invalid key length!", 0},
        {"ASCII '01' is 0x3031", "01", "010001", true, "Invalid key length!", 0},
        {"odd number of digits", "010", "03", false, "Invalid field size!", 0},
        {"four-byte exponent", "10", "00000003", false, "Invalid Public Exponent size!", 1},
        {"exponent size checked before the key size's value", "0300", "01000001", false,
         "Invalid Public Exponent size!", 1},
        {"empty exponent", "10", "", false, "Invalid Public Exponent size!", 1},
        {"15 bytes", "0F", "03", false, "Unable to generate RSA key!", -1},
        {"0 bytes", "00", "03", false, "Unable to generate RSA key!", -1},
        {"e = 1", "10", "01", false, "Unable to generate RSA key!", -1},
        {"e = 2", "10", "02", false, "Unable to generate RSA key!", -1},
        {"even e", "10", "010000", false, "Unable to generate RSA key!", -1},
    };
    choose("RSA Key Generation");
    for (const Case& c : cases) {
        w.messages.clear();
        w.focus = w.selected_all = 0;
        set_ascii(0, c.ascii);
        run_with(c.size, c.exponent);
        ASSERT_EQ(w.messages.size(), 1u) << c.what;
        EXPECT_EQ(w.messages[0].text, c.message) << c.what;
        EXPECT_EQ(w.messages[0].caption, "Ooops!") << c.what;
        EXPECT_EQ(w.messages[0].icon, MessageIcon::Error) << c.what;
        const int id = c.focus < 0 ? 0 : field_edit_id[c.focus];
        EXPECT_EQ(w.selected_all, id) << c.what;
        EXPECT_EQ(w.focus, id) << c.what;
        EXPECT_EQ(output(), "") << c.what;
        EXPECT_EQ(text(2), "") << c.what;
    }
}

TEST_F(KeyGenerationRow, SmallestKeyWithThreeSizeBytes)
{
    choose("RSA Key Generation");
    run_with("000010", "03"); // the same as "10": 16 bytes
    EXPECT_TRUE(w.messages.empty()) << last_message();
    EXPECT_EQ(counter(4), "16 bytes");
    const Bytes n = from_hex(output());
    ASSERT_EQ(n.size(), 16u);
    EXPECT_GE(n[0], 0x80);
    EXPECT_FALSE(text(2).empty());
    EXPECT_EQ(text(3), "") << "field 3 is not used";
}

TEST_F(KeyGenerationRow, KeyOf256BytesRoundTripsThroughTheRsaRow)
{
    choose("RSA Key Generation");
    run_with("0100", "010001");
    ASSERT_TRUE(w.messages.empty()) << last_message();
    const std::string modulus = output(), d = text(2);
    ASSERT_EQ(modulus.size(), 512u);
    EXPECT_GE(from_hex(modulus)[0], 0x80);
    EXPECT_LE(d.size(), 512u);

    std::string message;
    for (int i = 0; i < 256; ++i)
        message += "5A";
    choose("RSA Encryption/Decription");
    run_with(message, modulus, "010001");
    const std::string cipher = output();
    ASSERT_EQ(cipher.size(), 512u) << last_message();
    EXPECT_NE(cipher, message);
    run_with(cipher, modulus, d);
    EXPECT_EQ(output(), message);
    EXPECT_TRUE(w.messages.empty()) << last_message();
}
