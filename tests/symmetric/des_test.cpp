// primitives_test.cpp: the DES block against published vectors (AES and Triple-DES run through the rows).
#include <gtest/gtest.h>

#include "symmetric/des.h"
#include "tests/symmetric/support.h"

namespace {

struct Vector { const char *key, *plain, *cipher; };

// NIST SP 800-17 Appendix B (tables B.1 to B.4) and the FIPS 81 example "Now is t".
const Vector DES_VECTORS[] = {
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

// Both ways; encryption also with each parity bit flipped in turn.
TEST(Des, PublishedVectors) {
    for (const auto& v : DES_VECTORS) {
        const Bytes key = from_hex(v.key), plain = from_hex(v.plain), cipher = from_hex(v.cipher);
        EXPECT_EQ(to_hex(des(DES_DECRYPT, cipher, key)), v.plain) << "key " << v.key;
        for (int flip = 0; flip <= 8; ++flip) {
            Bytes k = key;
            if (flip < 8)
                k[flip] ^= 0x01;
            EXPECT_EQ(to_hex(des(DES_ENCRYPT, plain, k)), v.cipher) << "key " << to_hex(k);
        }
    }
}

// FIPS 74 weak and semi-weak keys still round-trip.
TEST(Des, WeakKeysRoundTrip) {
    const Bytes plain = from_hex("0123456789ABCDEF");
    for (const char* k : {"0101010101010101", "FEFEFEFEFEFEFEFE", "1F1F1F1F0E0E0E0E", "E0E0E0E0F1F1F1F1",
                          "01FE01FE01FE01FE", "FE01FE01FE01FE01", "1FE01FE00EF10EF1", "E01FE01FF10EF10E"}) {
        const Bytes key = from_hex(k), cipher = des(DES_ENCRYPT, plain, key);
        EXPECT_EQ(to_hex(des(DES_DECRYPT, cipher, key)), to_hex(plain)) << "key " << k;
    }
}

} // namespace
