// digest_handler_test.cpp: CRC16 and the five hashes through GO! on the fake window.
#include <string>
#include <string_view>
#include <vector>

#include "core/handlers.h"
#include "digest/hash_message.h"
#include "tests/support/workbench.h"

#ifdef TABRIX_HAVE_OPENSSL
#include <openssl/evp.h>
#endif

namespace {

using Digest = Workbench;

std::string to_hex(std::string_view bytes)
{
    std::string s;
    for (unsigned char b : bytes)
        s += {"0123456789ABCDEF"[b >> 4], "0123456789ABCDEF"[b & 15]};
    return s;
}

// n bytes that run through every byte value.
std::string message(std::size_t n)
{
    std::string m(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        m[i] = char(i * 167 + n);
    return m;
}

struct Vector {
    const char* row;
    const char* in;   // field 0: hexadecimal for CRC16, ASCII for the hashes
    const char* iv = ""; // field 1 (CRC16 only)
    const char* out;  // field 4
};

constexpr const char* M448 = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
constexpr const char* M896 = "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu";

const Vector vectors[] = {
    // CRC16: check values of "123456789" from the Catalogue of parametrised CRC algorithms (Greg Cook)
    // for XMODEM (no initial value), CCITT-FALSE (FFFF) and AUG-CCITT (1D0F); AUG-CCITT of 01 02; "A"
    // from the "CRC-CCITT -- 16-bit" notes; empty data echoes the initial value.
    {.row = "CRC16", .in = "313233343536373839", .iv = "", .out = "31C3"},
    {.row = "CRC16", .in = "31 32 33 34 35 36 37 38 39", .iv = "ff ff", .out = "29B1"},
    {.row = "CRC16", .in = "313233343536373839", .iv = "1D0F", .out = "E5CC"},
    {.row = "CRC16", .in = "0102", .iv = "1D0F", .out = "97B3"},
    {.row = "CRC16", .in = "41", .iv = "FFFF", .out = "B915"},
    {.row = "CRC16", .in = "", .iv = "", .out = "0000"},
    {.row = "CRC16", .in = "", .iv = "12 34", .out = "1234"},
    // RFC 1321 appendix A.5, the MD5 test suite.
    {.row = "MD5", .in = "", .out = "D41D8CD98F00B204E9800998ECF8427E"},
    {.row = "MD5", .in = "a", .out = "0CC175B9C0F1B6A831C399E269772661"},
    {.row = "MD5", .in = "abc", .out = "900150983CD24FB0D6963F7D28E17F72"},
    {.row = "MD5", .in = "message digest", .out = "F96B697D7CB7938D525A2F31AAF161D0"},
    {.row = "MD5", .in = "abcdefghijklmnopqrstuvwxyz", .out = "C3FCD3D76192E4007DFB496CCA67E13B"},
    {.row = "MD5", .in = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", .out = "D174AB98D277D9F5A5611C2C9F419D9F"},
    {.row = "MD5", .in = "12345678901234567890123456789012345678901234567890123456789012345678901234567890", .out = "57EDF4A22BE3C955AC49DA2E2107B67A"},
    // FIPS 180-4 examples (NIST CSRC "Examples with Intermediate Values"): "abc", the 448-bit message
    // for SHA-1 and SHA-256, the 896-bit one for SHA-384 and SHA-512; and the empty message.
    {.row = "SHA-1", .in = "", .out = "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709"},
    {.row = "SHA-1", .in = "abc", .out = "A9993E364706816ABA3E25717850C26C9CD0D89D"},
    {.row = "SHA-1", .in = M448, .out = "84983E441C3BD26EBAAE4AA1F95129E5E54670F1"},
    {.row = "SHA-256", .in = "", .out = "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855"},
    {.row = "SHA-256", .in = "abc", .out = "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"},
    {.row = "SHA-256", .in = M448, .out = "248D6A61D20638B8E5C026930C3E6039A33CE45964FF2167F6ECEDD419DB06C1"},
    {.row = "SHA-384", .in = "", .out = "38B060A751AC96384CD9327EB1B1E36A21FDB71114BE07434C0CC7BF63F6E1DA274EDEBFE76F65FBD51AD2F14898B95B"},
    {.row = "SHA-384", .in = "abc", .out = "CB00753F45A35E8BB5A03D699AC65007272C32AB0EDED1631A8B605A43FF5BED8086072BA1E7CC2358BAECA134C825A7"},
    {.row = "SHA-384", .in = M896, .out = "09330C33F71147E83D192FC782CD1B4753111B173B3B05D22FA08086E3B0F712FCC7C71A557E2DB966C3E9FA91746039"},
    {.row = "SHA-512", .in = "", .out = "CF83E1357EEFB8BDF1542850D66D8007D620E4050B5715DC83F4A921D36CE9CE47D0D13C5D85F2B0FF8318D2877EEC2F63B931BD47417A81A538327AF927DA3E"},
    {.row = "SHA-512", .in = "abc", .out = "DDAF35A193617ABACC417349AE20413112E6FA4E89A97EA20A9EEEE64B55D39A2192992A274FC1A836BA3C23A3FEEBBD454D4423643CE80E2A9AC94FA54CA49F"},
    {.row = "SHA-512", .in = M896, .out = "8E959B75DAE313DA8CF4F72814FC143F8F7779C6EB9F7FA17299AEADB6889018501D289E4900F7E4331B99DEC4B5433AC7D329EEB6DD26545E96E55B874BE909"},
};

TEST_F(Digest, PublishedVectors)
{
    for (const Vector& c : vectors) {
        bool crc = std::string_view(c.row) == "CRC16";
        choose(c.row);
        set_ascii(0, !crc);
        run_with(c.in, crc ? c.iv : "123"); // the hash rows never read field 1, which CRC16 would refuse
        EXPECT_EQ(output(), c.out) << c.row << " of \"" << c.in << "\", field 1 \"" << (crc ? c.iv : "123") << "\"";
    }
    EXPECT_TRUE(w.messages.empty()) << last_message();
}

// One million times "a", too long for a field: the MD5 value published with the RFC 1321 suite, the
// SHA values from the FIPS 180-2 appendices.
TEST(HashMessage, OneMillionA)
{
    const std::pair<std::int32_t, const char*> million_a[] = {
        {OP_MD5, "7707D6AE4E027C70EEA2A935C2296F21"},
        {OP_SHA1, "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F"},
        {OP_SHA256, "CDC76E5C9914FB9281A1C7E284D73E67F1809A48A497200E046D39CCC7112CD0"},
        {OP_SHA384, "9D0E1809716474CB086E834E310A4A1CED149E9C00F248527972CEC5704C2A5B07B8B3DC38ECC4EBAE97DDD87F3D8985"},
        {OP_SHA512, "E718483D0CE769644E2E42C7BC15B4638E1F98B13B2044285632A803AFA973EBDE0FF244877EA60A4CB0432CE577C31BEB009C5C2C49AA2E4EADB217AD8CC09B"},
    };
    const std::vector<std::uint8_t> m(1000000, 'a');
    for (auto [op, digest] : million_a) {
        std::uint8_t out[HASH_MAX_BYTES];
        int n = hash_message(op, m, out);
        EXPECT_EQ(to_hex({reinterpret_cast<char*>(out), std::size_t(n)}), digest) << "op " << op;
    }
}

// SHA-384 has initial values of its own: it is not the first 48 bytes of SHA-512.
TEST_F(Digest, Sha384IsNotATruncatedSha512)
{
    choose("SHA-512");
    run_with("616263");
    const std::string sha512 = output();
    choose("SHA-384");
    run_with("616263");
    ASSERT_EQ(output().size(), 96u);
    EXPECT_NE(output(), sha512.substr(0, 96));
}

// The bit-wise register, independent of the table-driven one, over every byte value in the largest field.
TEST_F(Digest, Crc16AgainstTheBitwiseRegister)
{
    const std::string m = message(1024);
    choose("CRC16");
    run_with(to_hex(m), "FFFF");
    std::uint16_t crc = 0xFFFF;
    for (unsigned char b : m) {
        crc ^= std::uint16_t(b << 8);
        for (int i = 0; i < 8; ++i)
            crc = std::uint16_t(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    EXPECT_EQ(output(), to_hex(std::string{char(crc >> 8), char(crc)}));
}

#ifdef TABRIX_HAVE_OPENSSL
// Every length around the padding boundaries, and the largest a field holds, against OpenSSL's libcrypto.
TEST_F(Digest, EveryLengthAgainstOpenSsl)
{
    const std::pair<const char*, const EVP_MD* (*)()> references[] = {
        {"MD5", EVP_md5}, {"SHA-1", EVP_sha1}, {"SHA-256", EVP_sha256}, {"SHA-384", EVP_sha384}, {"SHA-512", EVP_sha512},
    };
    for (auto [row, md] : references) {
        choose(row);
        for (std::size_t n = 0; n <= 301; ++n) {
            const std::string m = message(n <= 300 ? n : 1024);
            run_with(to_hex(m));
            unsigned char out[EVP_MAX_MD_SIZE];
            unsigned int size = 0;
            ASSERT_EQ(EVP_Digest(m.data(), m.size(), out, &size, md(), nullptr), 1);
            EXPECT_EQ(output(), to_hex({reinterpret_cast<char*>(out), size})) << row << ", " << m.size() << " bytes";
        }
    }
    EXPECT_TRUE(w.messages.empty()) << last_message();
}
#endif

struct Refused {
    const char* row;
    const char* in;
    const char* iv;
    int focused;        // the edit control selected and focused
    const char* shown;  // its text afterwards
};

// A CRC16 initial value must be empty or two bytes; one that parses is rewritten in cleaned form (as
// field 0 is, read first) before its length is refused. An odd digit count is refused by the codec.
const Refused refused[] = {
    {.row = "CRC16", .in = "31 32 33", .iv = "12", .focused = IDC_EDIT1, .shown = "12"},
    {.row = "CRC16", .in = "31 32 33", .iv = "12 34 56", .focused = IDC_EDIT1, .shown = "123456"},
    {.row = "CRC16", .in = "31 32 33", .iv = "123", .focused = IDC_EDIT1, .shown = "123"},
    {.row = "CRC16", .in = "ABC", .iv = "1234", .focused = IDC_EDIT0, .shown = "ABC"},
    {.row = "SHA-512", .in = "abcde", .iv = "", .focused = IDC_EDIT0, .shown = "abcde"},
};

TEST_F(Digest, RefusedInputs)
{
    for (const Refused& c : refused) {
        w.messages.clear();
        w.focus = w.selected_all = 0;
        choose(c.row);
        run_with(c.in, c.iv);
        SCOPED_TRACE(std::string(c.row) + " \"" + c.in + "\" \"" + c.iv + "\"");
        ASSERT_EQ(w.messages.size(), 1u);
        EXPECT_EQ(w.messages[0].text, "Invalid field size!");
        EXPECT_EQ(w.messages[0].caption, "Ooops!");
        EXPECT_EQ(w.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(w.focus, c.focused);
        EXPECT_EQ(w.selected_all, c.focused);
        EXPECT_EQ(w[c.focused].text, c.shown);
        EXPECT_EQ(text(0), c.focused == IDC_EDIT1 ? "313233" : c.shown); // field 0 is read first
        EXPECT_EQ(output(), "");
        EXPECT_TRUE(w[IDC_GO].enabled);
    }
}

// A row that names the digest operation for an id it does not serve is an internal error.
TEST_F(Digest, UnservedOperationIdIsAnInternalError)
{
    choose("XOR");
    type(0, "0102");
    EXPECT_EQ(digest_handler(), 0);
    ASSERT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(w.messages[0].text, "ERROR!");
    EXPECT_EQ(w.messages[0].caption, "Ooops!");
    EXPECT_EQ(w.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(output(), "");
}

} // namespace
