// aes_test.cpp: the AES primitive against the FIPS-197 and SP 800-38A examples.
#include <gtest/gtest.h>

#include "symmetric/aes.h"
#include "tests/symmetric/hex.h"

namespace {

struct AesVector {
    const char* key;
    const char* plain;
    const char* cipher;
};

const AesVector AES_VECTORS[] = {
    // FIPS-197 Appendix C.1, C.2 and C.3.
    {.key = "000102030405060708090A0B0C0D0E0F", .plain = "00112233445566778899AABBCCDDEEFF",
     .cipher = "69C4E0D86A7B0430D8CDB78070B4C55A"},
    {.key = "000102030405060708090A0B0C0D0E0F1011121314151617", .plain = "00112233445566778899AABBCCDDEEFF",
     .cipher = "DDA97CA4864CDFE06EAF70A0EC0D7191"},
    {.key = "000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F",
     .plain = "00112233445566778899AABBCCDDEEFF", .cipher = "8EA2B7CA516745BFEAFC49904B496089"},
    // FIPS-197 Appendix B.
    {.key = "2B7E151628AED2A6ABF7158809CF4F3C", .plain = "3243F6A8885A308D313198A2E0370734",
     .cipher = "3925841D02DC09FBDC118597196A0B32"},
    // NIST SP 800-38A F.1.5, ECB-AES256 block 1.
    {.key = "603DEB1015CA71BE2B73AEF0857D77811F352C073B6108D72D9810A30914DFF4",
     .plain = "6BC1BEE22E409F96E93D7E117393172A", .cipher = "F3EED1BDB5D2A03C064B5A7E3DB181F8"},
};

TEST(Aes, PublishedVectorsBothWays) {
    for (const auto& v : AES_VECTORS) {
        const Bytes key = from_hex(v.key), plain = from_hex(v.plain), cipher = from_hex(v.cipher);
        AesContext context;
        aes_set_key(context, key.data(), static_cast<int>(key.size() * 8));
        EXPECT_EQ(context.rounds, static_cast<int>(key.size() / 4 + 6));
        Bytes out(16);
        aes_encrypt_block(context, plain.data(), out.data());
        EXPECT_EQ(to_hex(out), v.cipher) << "key " << v.key;
        aes_decrypt_block(context, cipher.data(), out.data());
        EXPECT_EQ(to_hex(out), v.plain) << "key " << v.key;
    }
}

// One set-up serves many blocks in both directions, interleaved, and in place.
TEST(Aes, OneContextServesManyBlocks) {
    for (int bits : {128, 192, 256}) {
        Bytes key(static_cast<std::size_t>(bits / 8));
        for (std::size_t i = 0; i < key.size(); ++i)
            key[i] = static_cast<std::uint8_t>(0xA5 ^ (i * 29));
        AesContext context;
        aes_set_key(context, key.data(), bits);
        Bytes block(16);
        for (int i = 0; i < 16; ++i)
            block[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 17 + bits);
        const Bytes original = block;
        for (int round = 0; round < 50; ++round)
            aes_encrypt_block(context, block.data(), block.data());
        EXPECT_NE(block, original);
        for (int round = 0; round < 50; ++round)
            aes_decrypt_block(context, block.data(), block.data());
        EXPECT_EQ(to_hex(block), to_hex(original)) << bits << "-bit key";
    }
}

// Rebuilding the shared tables, as every aes_set_key does, leaves an earlier context working.
TEST(Aes, RebuiltTablesKeepEarlierContextsValid) {
    const Bytes key = from_hex("000102030405060708090A0B0C0D0E0F");
    const Bytes plain = from_hex("00112233445566778899AABBCCDDEEFF");
    AesContext first, second;
    aes_set_key(first, key.data(), 128);
    aes_set_key(second, from_hex("603DEB1015CA71BE2B73AEF0857D77811F352C073B6108D72D9810A30914DFF4").data(), 256);
    aes_gen_tables();
    Bytes out(16);
    aes_encrypt_block(first, plain.data(), out.data());
    EXPECT_EQ(to_hex(out), "69C4E0D86A7B0430D8CDB78070B4C55A");
}

TEST(Aes, OtherKeySizesLeaveNoRounds) {
    const Bytes key(64, 0x11);
    for (int bits : {0, 64, 96, 160, 320, 512}) {
        AesContext context;
        context.rounds = 99;
        aes_set_key(context, key.data(), bits);
        EXPECT_EQ(context.rounds, 0) << bits;
    }
}

} // namespace
