// Raw RSA: the "RSA Encryption/Decription" row through the fake window, results and errors in one table,
// and rsa_modexp at full size against mbedTLS.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "rsa/rsa_raw.h"
#include "tests/rsa/rsa_test_support.h"

namespace {

std::string zeros(int bytes) { return std::string(2 * static_cast<std::size_t>(bytes), '0'); }
// A number of `bytes` bytes: leading zeros, then the given hexadecimal.
std::string padded(int bytes, const std::string& hex) { return zeros(bytes - static_cast<int>(hex.size()) / 2) + hex; }

} // namespace

using RsaRow = RsaBench;

TEST_F(RsaRow, ResultsAndErrors)
{
    // With no message the output must be `out`, as long as the modulus; otherwise one error box and no output.
    struct Case { const char* what; std::string in, mod, exp, out = {}, message = {}; int focus = -1; };
    const std::string in32 = padded(32, "02"), mod32 = padded(32, "0D"), size = "Invalid field size!";
    const Case cases[] = {
        {.what = "2^5 mod 13 keeps its leading zero bytes", .in = in32, .mod = mod32, .exp = "05", .out = padded(32, "06")},
        // The worked example of the RSA article of Wikipedia: p = 61, q = 53, e = 17, d = 2753.
        {.what = "encrypt 65", .in = padded(32, "41"), .mod = padded(32, "0CA1"), .exp = "11", .out = padded(32, "0AE6")},
        {.what = "decrypt 2790", .in = padded(32, "0AE6"), .mod = padded(32, "0CA1"), .exp = "0AC1", .out = padded(32, "41")},
        {.what = "zero exponent", .in = padded(32, "1234"), .mod = padded(32, "FFFF"), .exp = "0000", .out = padded(32, "01")},
        {.what = "zero exponent of the modulus length", .in = in32, .mod = mod32, .exp = zeros(32), .out = padded(32, "01")},
        {.what = "exponent one", .in = padded(32, "0C"), .mod = mod32, .exp = "01", .out = padded(32, "0C")},
        {.what = "3^3 mod 5", .in = padded(32, "03"), .mod = padded(32, "05"), .exp = "03", .out = padded(32, "02")},
        {.what = "zero input", .in = zeros(40), .mod = padded(40, "0D"), .exp = "07", .out = zeros(40)},
        // 2^(2^256 - 1) mod 13: 2^12 = 1 mod 13 and 2^256 - 1 = 3 mod 12
        {.what = "exponent of equal length and larger value", .in = in32, .mod = mod32, .exp = std::string(64, 'F'),
         .out = padded(32, "08")},
        {.what = "31-byte input", .in = padded(31, "02"), .mod = mod32, .exp = "05", .message = size, .focus = 0},
        {.what = "513-byte input", .in = padded(513, "02"), .mod = mod32, .exp = "05", .message = size, .focus = 0},
        {.what = "odd digit count", .in = in32 + "0", .mod = mod32, .exp = "05", .message = size, .focus = 0},
        {.what = "each field checked before the next is read", .in = padded(31, "02"), .mod = "0d0", .exp = "zz",
         .message = size, .focus = 0},
        {.what = "31-byte modulus", .in = in32, .mod = padded(31, "0D"), .exp = "05", .message = size, .focus = 1},
        {.what = "513-byte modulus", .in = in32, .mod = padded(513, "0D"), .exp = "05", .message = size, .focus = 1},
        {.what = "empty exponent", .in = in32, .mod = mod32, .exp = "", .message = size, .focus = 2},
        {.what = "513-byte exponent", .in = in32, .mod = mod32, .exp = padded(513, "05"), .message = size, .focus = 2},
        {.what = "64 and 65 bytes", .in = padded(64, "02"), .mod = padded(65, "0D"), .exp = "05",
         .message = "Input and Modulus lengths are different!", .focus = 0},
        {.what = "33-byte exponent of value 5", .in = in32, .mod = mod32, .exp = padded(33, "05"),
         .message = "Exponent is greater than Modulus!", .focus = 2},
        {.what = "input equal to the modulus", .in = mod32, .mod = mod32, .exp = "05", .message = "Encryption failed!"},
        {.what = "input above the modulus", .in = padded(32, "0E"), .mod = mod32, .exp = "05", .message = "Encryption failed!"},
        {.what = "input above a modulus with leading zeros", .in = "01" + zeros(31), .mod = mod32, .exp = "05",
         .message = "Encryption failed!"},
        {.what = "modulus of value zero", .in = in32, .mod = zeros(32), .exp = "05", .message = "Encryption failed!"},
    };
    choose("RSA Encryption/Decription");
    for (const Case& c : cases) {
        run_clean(c.in, c.mod, c.exp);
        if (c.message.empty()) {
            EXPECT_TRUE(w.messages.empty()) << c.what << ": " << last_message();
            EXPECT_EQ(output(), c.out) << c.what;
            EXPECT_EQ(counter(4), std::to_string(c.out.size() / 2) + " bytes") << c.what;
        } else {
            expect_error(c.what, c.message, c.focus);
        }
    }
}

TEST(RsaModexp, FullSizeModulusAndExponentAgainstMbedtls)
{
    // 512-byte modulus, exponent and input; the output written over the input.
    std::mt19937 rng(512);
    Bytes modulus(512), exponent(512), block(512), expected(512);
    for (std::size_t i = 0; i < 512; ++i)
        modulus[i] = static_cast<std::uint8_t>(rng()), exponent[i] = static_cast<std::uint8_t>(rng()),
        block[i] = static_cast<std::uint8_t>(rng());
    modulus[0] |= 0x80;
    modulus[511] |= 1; // mbedTLS's exponentiation wants an odd modulus
    block[0] &= 0x7F;
    TestMpi a, e, n, x;
    mbedtls_mpi_read_binary(&a, block.data(), 512);
    mbedtls_mpi_read_binary(&e, exponent.data(), 512);
    mbedtls_mpi_read_binary(&n, modulus.data(), 512);
    ASSERT_EQ(mbedtls_mpi_exp_mod(&x, &a, &e, &n, nullptr), 0);
    ASSERT_EQ(rsa_modexp(block.data(), modulus.data(), 512, exponent.data(), 512, block.data()), 0);
    EXPECT_EQ(to_hex(block), x.hex(512));

    // A modulus of 513 bytes cannot come through the window: rsa_modexp refuses it and writes nothing.
    Bytes big(513, 0x01), out(513, 0xEE);
    EXPECT_EQ(rsa_modexp(big.data(), big.data(), 513, big.data(), 1, out.data()), RSA_MODULUS_TOO_BIG);
    EXPECT_EQ(out, Bytes(513, 0xEE));
}
