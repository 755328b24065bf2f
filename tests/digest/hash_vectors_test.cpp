// hash_vectors_test.cpp: MD5, SHA-1, SHA-256, SHA-384 and SHA-512 against their published test vectors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/catalogue.h"
#include "digest/hash_message.h"
#include "digest/sha1.h"
#include "digest/sha512.h"
#include "tests/digest/hex.h"

namespace {

std::string hash_hex(std::int32_t op, std::span<const std::uint8_t> message)
{
    std::uint8_t out[HASH_MAX_BYTES] = {};
    int n = hash_message(op, message, out);
    return to_hex(std::span(out, static_cast<std::size_t>(n)));
}

struct Vector {
    std::int32_t op;
    const char* message;
    const char* digest;
};

// RFC 1321 appendix A.5, the MD5 test suite.
const Vector rfc1321[] = {
    {.op = OP_MD5, .message = "", .digest = "D41D8CD98F00B204E9800998ECF8427E"},
    {.op = OP_MD5, .message = "a", .digest = "0CC175B9C0F1B6A831C399E269772661"},
    {.op = OP_MD5, .message = "abc", .digest = "900150983CD24FB0D6963F7D28E17F72"},
    {.op = OP_MD5, .message = "message digest", .digest = "F96B697D7CB7938D525A2F31AAF161D0"},
    {.op = OP_MD5, .message = "abcdefghijklmnopqrstuvwxyz", .digest = "C3FCD3D76192E4007DFB496CCA67E13B"},
    {.op = OP_MD5,
     .message = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     .digest = "D174AB98D277D9F5A5611C2C9F419D9F"},
    {.op = OP_MD5,
     .message = "12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     .digest = "57EDF4A22BE3C955AC49DA2E2107B67A"},
};

constexpr const char* M448 = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
constexpr const char* M896 = "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopq"
                             "klmnopqrlmnopqrsmnopqrstnopqrstu";

// The FIPS 180-4 example messages (NIST CSRC "Examples with Intermediate Values"): "abc", the
// 448-bit two-block message for SHA-1 and SHA-256, the 896-bit one for SHA-384 and SHA-512; and the
// empty message.
const Vector fips180[] = {
    {.op = OP_SHA1, .message = "", .digest = "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709"},
    {.op = OP_SHA1, .message = "abc", .digest = "A9993E364706816ABA3E25717850C26C9CD0D89D"},
    {.op = OP_SHA1, .message = M448, .digest = "84983E441C3BD26EBAAE4AA1F95129E5E54670F1"},
    {.op = OP_SHA256, .message = "", .digest = "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855"},
    {.op = OP_SHA256, .message = "abc", .digest = "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"},
    {.op = OP_SHA256, .message = M448, .digest = "248D6A61D20638B8E5C026930C3E6039A33CE45964FF2167F6ECEDD419DB06C1"},
    {.op = OP_SHA384,
     .message = "",
     .digest = "38B060A751AC96384CD9327EB1B1E36A21FDB71114BE07434C0CC7BF63F6E1DA274EDEBFE76F65FBD51AD2F14898B95B"},
    {.op = OP_SHA384,
     .message = "abc",
     .digest = "CB00753F45A35E8BB5A03D699AC65007272C32AB0EDED1631A8B605A43FF5BED8086072BA1E7CC2358BAECA134C825A7"},
    {.op = OP_SHA384,
     .message = M896,
     .digest = "09330C33F71147E83D192FC782CD1B4753111B173B3B05D22FA08086E3B0F712FCC7C71A557E2DB966C3E9FA91746039"},
    {.op = OP_SHA512,
     .message = "",
     .digest = "CF83E1357EEFB8BDF1542850D66D8007D620E4050B5715DC83F4A921D36CE9CE"
               "47D0D13C5D85F2B0FF8318D2877EEC2F63B931BD47417A81A538327AF927DA3E"},
    {.op = OP_SHA512,
     .message = "abc",
     .digest = "DDAF35A193617ABACC417349AE20413112E6FA4E89A97EA20A9EEEE64B55D39A"
               "2192992A274FC1A836BA3C23A3FEEBBD454D4423643CE80E2A9AC94FA54CA49F"},
    {.op = OP_SHA512,
     .message = M896,
     .digest = "8E959B75DAE313DA8CF4F72814FC143F8F7779C6EB9F7FA17299AEADB6889018"
               "501D289E4900F7E4331B99DEC4B5433AC7D329EEB6DD26545E96E55B874BE909"},
};

// One million times "a": RFC 1321 has no such case; the MD5 value is the one widely published with
// the RFC suite, the SHA values are the FIPS 180-2 appendix examples.
const Vector million_a[] = {
    {.op = OP_MD5, .message = nullptr, .digest = "7707D6AE4E027C70EEA2A935C2296F21"},
    {.op = OP_SHA1, .message = nullptr, .digest = "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F"},
    {.op = OP_SHA256, .message = nullptr, .digest = "CDC76E5C9914FB9281A1C7E284D73E67F1809A48A497200E046D39CCC7112CD0"},
    {.op = OP_SHA384,
     .message = nullptr,
     .digest = "9D0E1809716474CB086E834E310A4A1CED149E9C00F248527972CEC5704C2A5B07B8B3DC38ECC4EBAE97DDD87F3D8985"},
    {.op = OP_SHA512,
     .message = nullptr,
     .digest = "E718483D0CE769644E2E42C7BC15B4638E1F98B13B2044285632A803AFA973EB"
               "DE0FF244877EA60A4CB0432CE577C31BEB009C5C2C49AA2E4EADB217AD8CC09B"},
};

TEST(HashVectors, Rfc1321Suite)
{
    for (const Vector& v : rfc1321)
        EXPECT_EQ(hash_hex(v.op, ascii_bytes(v.message)), v.digest) << "MD5 of \"" << v.message << "\"";
}

TEST(HashVectors, Fips180Examples)
{
    for (const Vector& v : fips180)
        EXPECT_EQ(hash_hex(v.op, ascii_bytes(v.message)), v.digest) << "op " << v.op << " of \"" << v.message << "\"";
}

TEST(HashVectors, OneMillionA)
{
    std::vector<std::uint8_t> message(1000000, 'a');
    for (const Vector& v : million_a)
        EXPECT_EQ(hash_hex(v.op, message), v.digest) << "op " << v.op;
}

TEST(HashVectors, Sha384IsNotATruncatedSha512)
{
    for (const char* m : {"", "abc", M896}) {
        std::string sha384 = hash_hex(OP_SHA384, ascii_bytes(m));
        std::string sha512 = hash_hex(OP_SHA512, ascii_bytes(m));
        ASSERT_EQ(sha384.size(), 96u);
        EXPECT_NE(sha384, sha512.substr(0, 96)) << "\"" << m << "\"";
    }
}

TEST(HashVectors, OperationsThatAreNotHashesWriteNothing)
{
    for (std::int32_t op : {std::int32_t{OP_CRC16}, std::int32_t{OP_XOR}, std::int32_t{OP_SEPARATOR}, std::int32_t{OP_END}, std::int32_t{10}}) {
        std::uint8_t out[HASH_MAX_BYTES] = {};
        EXPECT_EQ(hash_message(op, ascii_bytes("abc"), out), 0) << "op " << op;
        EXPECT_EQ(to_hex(out), std::string(2 * HASH_MAX_BYTES, '0')) << "op " << op;
    }
}

// Absorbing a message in pieces must give the digest of absorbing it at once, whatever the cuts;
// the cuts land before, on and after the 64- and 128-byte block boundaries.
TEST(HashVectors, PiecewiseUpdateEqualsWholeMessage)
{
    const std::vector<std::uint8_t> message = pattern(1024);
    const std::vector<std::size_t> cuts[] = {
        {1, 1, 1},       {63, 1, 64},  {64, 64, 64}, {55, 9, 200}, {127, 1, 128},
        {128, 128, 128}, {111, 2, 15}, {0, 0, 300},  {17, 300, 5}, {1023},
    };
    for (const std::vector<std::size_t>& lengths : cuts) {
        std::vector<std::span<const std::uint8_t>> pieces;
        std::size_t at = 0;
        for (std::size_t n : lengths) {
            pieces.push_back(std::span(message).subspan(at, n));
            at += n;
        }
        pieces.push_back(std::span(message).subspan(at));

        Sha1Context sha1;
        sha1_init(sha1);
        for (auto piece : pieces)
            sha1_update(sha1, piece);
        std::uint8_t digest1[SHA1_DIGEST_BYTES];
        sha1_final(digest1, sha1);
        EXPECT_EQ(to_hex(digest1), hash_hex(OP_SHA1, message)) << "SHA-1, first piece " << lengths[0];

        for (int is384 : {0, 1}) {
            Sha512Context sha512;
            sha512_init(sha512, is384);
            for (auto piece : pieces)
                sha512_update(sha512, piece);
            std::uint8_t digest512[SHA512_DIGEST_BYTES] = {};
            sha512_final(sha512, digest512);
            std::size_t n = is384 ? SHA384_DIGEST_BYTES : SHA512_DIGEST_BYTES;
            EXPECT_EQ(to_hex(std::span(digest512, n)), hash_hex(is384 ? OP_SHA384 : OP_SHA512, message))
                << (is384 ? "SHA-384" : "SHA-512") << ", first piece " << lengths[0];
        }
    }
}

// The length counters carry into their higher words.
TEST(HashVectors, LengthCountersCarry)
{
    Sha1Context sha1;
    sha1_init(sha1);
    sha1.bit_count_low = 0xFFFFFFF8; // one byte short of 2^32 bits
    sha1_update(sha1, ascii_bytes("ab"));
    EXPECT_EQ(sha1.bit_count_low, 8u);
    EXPECT_EQ(sha1.bit_count_high, 1u);

    Sha512Context sha512;
    sha512_init(sha512, 0);
    sha512.byte_count[0] = 0xFFFFFFFF;
    sha512.byte_count[1] = 0xFFFFFFFF;
    sha512_update(sha512, ascii_bytes("ab"));
    EXPECT_EQ(sha512.byte_count[0], 1u);
    EXPECT_EQ(sha512.byte_count[1], 0u);
    EXPECT_EQ(sha512.byte_count[2], 1u);
    EXPECT_EQ(sha512.byte_count[3], 0u);
}

} // namespace
