// Raw RSA: rsa_modexp's results and the "RSA Encryption/Decription" row through the fake window.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "rsa/rsa_raw.h"
#include "tests/rsa/rsa_test_support.h"
#include "tests/support/workbench.h"

#ifdef TABRIX_HAVE_OPENSSL
#include <openssl/bn.h>
#endif

namespace {

std::string zeros(int bytes) { return std::string(2 * static_cast<std::size_t>(bytes), '0'); }

// A number of `bytes` bytes: leading zeros, then the given hexadecimal.
std::string padded(int bytes, const std::string& hex) { return zeros(bytes - static_cast<int>(hex.size()) / 2) + hex; }

struct ModexpResult {
    int code;
    std::string out;
};

ModexpResult modexp(const std::string& in, const std::string& modulus, const std::string& exponent) {
    const Bytes i = from_hex(in), m = from_hex(modulus), e = from_hex(exponent);
    Bytes out(i.size() + 1, 0xEE);
    const int code = rsa_modexp(i.data(), m.data(), static_cast<int>(i.size()), e.data(),
                                static_cast<int>(e.size()), out.data());
    out.resize(i.size());
    return {code, code == 0 ? to_hex(out) : ""};
}

} // namespace

TEST(RsaModexp, KnownResults)
{
    struct Case { const char* what; std::string in, modulus, exponent, out; };
    const Case cases[] = {
        {"2^5 mod 13", padded(32, "02"), padded(32, "0D"), "05", padded(32, "06")},
        // The worked example of the RSA article of Wikipedia: p = 61, q = 53, e = 17, d = 2753.
        {"encrypt 65", padded(32, "41"), padded(32, "0CA1"), "11", padded(32, "0AE6")},
        {"decrypt 2790", padded(32, "0AE6"), padded(32, "0CA1"), "0AC1", padded(32, "41")},
        {"zero exponent", padded(32, "1234"), padded(32, "FFFF"), "0000", padded(32, "01")},
        {"zero exponent as long as the modulus", padded(32, "02"), padded(32, "0D"), zeros(32), padded(32, "01")},
        {"exponent one", padded(32, "0C"), padded(32, "0D"), "01", padded(32, "0C")},
        {"a small modulus with leading zero bytes", padded(32, "03"), padded(32, "05"), "03", padded(32, "02")},
        {"zero input", zeros(40), padded(40, "0D"), "07", zeros(40)},
        {"exponent of equal length and larger value", padded(32, "02"), padded(32, "0D"), std::string(64, 'F'),
         padded(32, "08")}, // 2^(2^256 - 1) mod 13: 2^12 = 1 mod 13 and 2^256 - 1 = 3 mod 12
    };
    for (const Case& c : cases) {
        const ModexpResult r = modexp(c.in, c.modulus, c.exponent);
        EXPECT_EQ(r.code, 0) << c.what;
        EXPECT_EQ(r.out, c.out) << c.what;
    }
}

TEST(RsaModexp, ResultCodes)
{
    struct Case { const char* what; int length, exponent_length; std::string in, modulus; int code; };
    const std::string thirteen = padded(32, "0D");
    const Case cases[] = {
        {"exponent longer than the modulus", 32, 33, padded(32, "02"), thirteen, RSA_EXPONENT_LONGER},
        {"modulus of 513 bytes", 513, 1, padded(513, "02"), padded(513, "0D"), RSA_MODULUS_TOO_BIG},
        {"input equal to the modulus", 32, 1, thirteen, thirteen, RSA_BLOCK_FAILED},
        {"input above the modulus", 32, 1, padded(32, "0E"), thirteen, RSA_BLOCK_FAILED},
        {"modulus of value zero", 32, 1, padded(32, "02"), zeros(32), RSA_BLOCK_FAILED},
        {"input without the modulus's leading zeros", 32, 1, "01" + zeros(31), thirteen, RSA_BLOCK_FAILED},
    };
    for (const Case& c : cases) {
        const Bytes in = from_hex(c.in), modulus = from_hex(c.modulus);
        const Bytes exponent(static_cast<std::size_t>(c.exponent_length), 0x03);
        Bytes out(in.size(), 0xEE);
        EXPECT_EQ(rsa_modexp(in.data(), modulus.data(), c.length, exponent.data(), c.exponent_length, out.data()),
                  c.code)
            << c.what;
        EXPECT_EQ(out, Bytes(in.size(), 0xEE)) << c.what << ": no output on failure";
    }
}

TEST(RsaModexp, OutputMayBeTheInput)
{
    Bytes block = from_hex(padded(32, "02"));
    const Bytes modulus = from_hex(padded(32, "0D")), exponent = from_hex("05");
    ASSERT_EQ(rsa_modexp(block.data(), modulus.data(), 32, exponent.data(), 1, block.data()), 0);
    EXPECT_EQ(to_hex(block), padded(32, "06"));
}

TEST(RsaModexp, FullSizeModulusAndExponent)
{
    // 512-byte modulus, exponent and input, against an independent exponentiation.
    std::mt19937 rng(512);
    Bytes modulus(512), exponent(512), input(512), out(512);
    for (std::size_t i = 0; i < 512; ++i) {
        modulus[i] = static_cast<std::uint8_t>(rng());
        exponent[i] = static_cast<std::uint8_t>(rng());
        input[i] = static_cast<std::uint8_t>(rng());
    }
    modulus[0] |= 0x80;
    modulus[511] |= 1; // mbedTLS's exponentiation wants an odd modulus
    input[0] &= 0x7F;
    ASSERT_EQ(rsa_modexp(input.data(), modulus.data(), 512, exponent.data(), 512, out.data()), 0);

    TestMpi a, e, n, x;
    mbedtls_mpi_read_binary(&a, input.data(), 512);
    mbedtls_mpi_read_binary(&e, exponent.data(), 512);
    mbedtls_mpi_read_binary(&n, modulus.data(), 512);
    ASSERT_EQ(mbedtls_mpi_exp_mod(&x, &a, &e, &n, nullptr), 0);
    Bytes expected(512);
    mbedtls_mpi_write_binary(&x, expected.data(), 512);
    EXPECT_EQ(to_hex(out), to_hex(expected));
}

#ifdef TABRIX_HAVE_OPENSSL
TEST(RsaModexp, EvenModuliAgainstOpenSsl)
{
    // mbedTLS refuses even moduli; OpenSSL's BN_mod_exp takes them.
    std::mt19937 rng(99);
    BN_CTX* ctx = BN_CTX_new();
    for (int length : {32, 33, 47, 64, 100, 128}) {
        Bytes modulus(static_cast<std::size_t>(length)), exponent(static_cast<std::size_t>(length) / 2),
            input(static_cast<std::size_t>(length)), out(static_cast<std::size_t>(length));
        for (auto& b : modulus) b = static_cast<std::uint8_t>(rng());
        for (auto& b : exponent) b = static_cast<std::uint8_t>(rng());
        for (auto& b : input) b = static_cast<std::uint8_t>(rng());
        modulus[0] |= 0x80;
        modulus.back() &= 0xFE;
        input[0] &= 0x7F;
        ASSERT_EQ(rsa_modexp(input.data(), modulus.data(), length, exponent.data(),
                             static_cast<int>(exponent.size()), out.data()), 0);
        BIGNUM* a = BN_bin2bn(input.data(), length, nullptr);
        BIGNUM* e = BN_bin2bn(exponent.data(), static_cast<int>(exponent.size()), nullptr);
        BIGNUM* n = BN_bin2bn(modulus.data(), length, nullptr);
        BIGNUM* x = BN_new();
        BN_mod_exp(x, a, e, n, ctx);
        Bytes expected(static_cast<std::size_t>(length));
        BN_bn2binpad(x, expected.data(), length);
        EXPECT_EQ(to_hex(out), to_hex(expected)) << length << " bytes";
        for (BIGNUM* v : {a, e, n, x})
            BN_free(v);
    }
    BN_CTX_free(ctx);
}
#endif

using RsaRow = Workbench;

TEST_F(RsaRow, RaisesTheInputToTheExponent)
{
    choose("RSA Encryption/Decription");
    run_with(padded(32, "02"), padded(32, "0D"), "05");
    EXPECT_EQ(output(), padded(32, "06")) << "the small result keeps its leading zero bytes";
    EXPECT_EQ(counter(4), "32 bytes");
    EXPECT_TRUE(w.messages.empty());
}

TEST_F(RsaRow, Errors)
{
    struct Case { const char* what; std::string f0, f1, f2; const char* message; int focus; };
    const std::string in32 = padded(32, "02"), mod32 = padded(32, "0D");
    const Case cases[] = {
        {"31-byte input", padded(31, "02"), mod32, "05", "Invalid field size!", 0},
        {"513-byte input", padded(513, "02"), mod32, "05", "Invalid field size!", 0},
        {"odd number of digits in the input", in32 + "0", mod32, "05", "Invalid field size!", 0},
        {"31-byte modulus", in32, padded(31, "0D"), "05", "Invalid field size!", 1},
        {"513-byte modulus", in32, padded(513, "0D"), "05", "Invalid field size!", 1},
        {"empty exponent", in32, mod32, "", "Invalid field size!", 2},
        {"513-byte exponent", in32, mod32, padded(513, "05"), "Invalid field size!", 2},
        {"64 and 65 bytes", padded(64, "02"), padded(65, "0D"), "05", "Input and Modulus lengths are different!", 0},
        {"33-byte exponent of value 5", in32, mod32, padded(33, "05"), "Exponent is greater than Modulus!", 2},
        {"input equal to the modulus", mod32, mod32, "05", "Encryption failed!", -1},
        {"input above a modulus with leading zeros", "01" + zeros(31), mod32, "05", "Encryption failed!", -1},
        {"modulus of value zero", in32, zeros(32), "05", "Encryption failed!", -1},
    };
    choose("RSA Encryption/Decription");
    for (const Case& c : cases) {
        w.messages.clear();
        w.focus = w.selected_all = 0;
        run_with(c.f0, c.f1, c.f2);
        ASSERT_EQ(w.messages.size(), 1u) << c.what;
        EXPECT_EQ(w.messages[0].text, c.message) << c.what;
        EXPECT_EQ(w.messages[0].caption, "Ooops!") << c.what;
        EXPECT_EQ(w.messages[0].icon, MessageIcon::Error) << c.what;
        const int id = c.focus < 0 ? 0 : field_edit_id[c.focus];
        EXPECT_EQ(w.selected_all, id) << c.what;
        EXPECT_EQ(w.focus, id) << c.what;
        EXPECT_EQ(output(), "") << c.what;
    }
}

TEST_F(RsaRow, FieldsAreCheckedInOrderEachBeforeTheNextIsRead)
{
    choose("RSA Encryption/Decription");
    run_with(padded(31, "02"), "0d0", "zz");
    EXPECT_EQ(w.selected_all, field_edit_id[0]);
    EXPECT_EQ(text(1), "0d0") << "not read yet";
    EXPECT_EQ(text(2), "zz");
}
