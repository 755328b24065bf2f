// des_test.cpp: single DES and the two Triple-DES compositions against published vectors.
#include <gtest/gtest.h>

#include "symmetric/des.h"
#include "symmetric/triple_des.h"
#include "tests/symmetric/hex.h"

namespace {

struct DesVector {
    const char* key;
    const char* plain;
    const char* cipher;
};

// NIST SP 800-17 Appendix B (tables B.1 to B.4) and the FIPS 81 example "Now is t".
const DesVector DES_VECTORS[] = {
    {.key = "0101010101010101", .plain = "8000000000000000", .cipher = "95F8A5E5DD31D900"}, // B.1
    {.key = "0101010101010101", .plain = "4000000000000000", .cipher = "DD7F121CA5015619"}, // B.1
    {.key = "0101010101010101", .plain = "2000000000000000", .cipher = "2E8653104F3834EA"}, // B.1
    {.key = "8001010101010101", .plain = "0000000000000000", .cipher = "95A8D72813DAA94D"}, // B.2
    {.key = "4001010101010101", .plain = "0000000000000000", .cipher = "0EEC1487DD8C26D5"}, // B.2
    {.key = "1046913489980131", .plain = "0000000000000000", .cipher = "88D55E54F54C97B4"}, // B.3
    {.key = "7CA110454A1A6E57", .plain = "01A1D6D039776742", .cipher = "690F5B0D9A26939B"}, // B.4
    {.key = "0131D9619DC1376E", .plain = "5CD54CA83DEF57DA", .cipher = "7A389D10354BD271"}, // B.4
    {.key = "0123456789ABCDEF", .plain = "4E6F772069732074", .cipher = "3FA40E8A984D4815"}, // FIPS 81
};

Bytes des(unsigned direction, const Bytes& in, const Bytes& key) {
    Bytes out(8);
    des_block(direction, in.data(), key.data(), out.data());
    return out;
}

TEST(Des, PublishedVectorsBothWays) {
    for (const auto& v : DES_VECTORS) {
        const Bytes key = from_hex(v.key), plain = from_hex(v.plain), cipher = from_hex(v.cipher);
        EXPECT_EQ(to_hex(des(DES_ENCRYPT, plain, key)), v.cipher) << "key " << v.key;
        EXPECT_EQ(to_hex(des(DES_DECRYPT, cipher, key)), v.plain) << "key " << v.key;
        // Any non-zero direction decrypts.
        EXPECT_EQ(to_hex(des(7, cipher, key)), v.plain) << "key " << v.key;
    }
}

TEST(Des, SameVectorsAsTripleDesWithEqualKeys) {
    for (const auto& v : DES_VECTORS) {
        const Bytes key = from_hex(v.key), plain = from_hex(v.plain), cipher = from_hex(v.cipher);
        Bytes out(8), k16 = key, back(8);
        k16.insert(k16.end(), key.begin(), key.end());
        tdes2_block(DES_ENCRYPT, plain.data(), k16.data(), out.data());
        EXPECT_EQ(to_hex(out), v.cipher) << "two-key, key " << v.key;
        tdes_block(DES_ENCRYPT, plain.data(), key.data(), key.data(), key.data(), out.data());
        EXPECT_EQ(to_hex(out), v.cipher) << "three-key, key " << v.key;
        tdes_block(DES_DECRYPT, cipher.data(), key.data(), key.data(), key.data(), back.data());
        EXPECT_EQ(to_hex(back), v.plain) << "three-key, key " << v.key;
    }
}

TEST(Des, ParityBitsAreIgnored) {
    for (const auto& v : DES_VECTORS) {
        const Bytes plain = from_hex(v.plain);
        for (int byte = 0; byte < 8; ++byte) {
            Bytes key = from_hex(v.key);
            key[byte] ^= 0x01;
            EXPECT_EQ(to_hex(des(DES_ENCRYPT, plain, key)), v.cipher) << "key " << to_hex(key);
        }
    }
}

// Weak and semi-weak keys of FIPS 74: decryption still inverts encryption.
TEST(Des, WeakKeysRoundTrip) {
    const char* keys[] = {"0101010101010101", "FEFEFEFEFEFEFEFE", "1F1F1F1F0E0E0E0E", "E0E0E0E0F1F1F1F1",
                          "01FE01FE01FE01FE", "FE01FE01FE01FE01", "1FE01FE00EF10EF1", "E01FE01FF10EF10E"};
    const Bytes plain = from_hex("0123456789ABCDEF");
    for (const char* k : keys) {
        const Bytes key = from_hex(k);
        const Bytes cipher = des(DES_ENCRYPT, plain, key);
        EXPECT_NE(cipher, plain) << "key " << k;
        EXPECT_EQ(to_hex(des(DES_DECRYPT, cipher, key)), to_hex(plain)) << "key " << k;
    }
    // A weak key is its own inverse: encrypting twice gives the input back.
    const Bytes weak = from_hex("0101010101010101");
    EXPECT_EQ(to_hex(des(DES_ENCRYPT, des(DES_ENCRYPT, plain, weak), weak)), to_hex(plain));
}

struct TdesVector {
    const char* k1;
    const char* k2;
    const char* k3;
    const char* plain;
    const char* cipher;
};

// NIST SP 800-67 Rev. 1 Appendix B: three-key TDEA ECB, "The qufck brown fox jump".
const TdesVector TDES_VECTORS[] = {
    {.k1 = "0123456789ABCDEF", .k2 = "23456789ABCDEF01", .k3 = "456789ABCDEF0123", .plain = "5468652071756663",
     .cipher = "A826FD8CE53B855F"},
    {.k1 = "0123456789ABCDEF", .k2 = "23456789ABCDEF01", .k3 = "456789ABCDEF0123", .plain = "6B2062726F776E20",
     .cipher = "CCE21C8112256FE6"},
    {.k1 = "0123456789ABCDEF", .k2 = "23456789ABCDEF01", .k3 = "456789ABCDEF0123", .plain = "666F78206A756D70",
     .cipher = "68D5C05DD9B6B900"},
};

TEST(TripleDes, ThreeKeyPublishedVectorsBothWays) {
    for (const auto& v : TDES_VECTORS) {
        const Bytes k1 = from_hex(v.k1), k2 = from_hex(v.k2), k3 = from_hex(v.k3);
        const Bytes plain = from_hex(v.plain), cipher = from_hex(v.cipher);
        Bytes out(8);
        tdes_block(DES_ENCRYPT, plain.data(), k1.data(), k2.data(), k3.data(), out.data());
        EXPECT_EQ(to_hex(out), v.cipher);
        tdes_block(DES_DECRYPT, cipher.data(), k1.data(), k2.data(), k3.data(), out.data());
        EXPECT_EQ(to_hex(out), v.plain);
    }
}

} // namespace
