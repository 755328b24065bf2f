// dukpt_test.cpp: DUKPT derivation against the ANSI X9.24-1-2009 Annex A test data.
#include <gtest/gtest.h>

#include <cstring>

#include "symmetric/des.h"
#include "symmetric/dukpt.h"
#include "symmetric/triple_des.h"
#include "tests/symmetric/support.h"

namespace {

// ANSI X9.24-1-2009 Annex A: BDK, initial KSN and IPEK.
constexpr const char* BDK = "0123456789ABCDEFFEDCBA9876543210";
constexpr const char* IPEK = "6AC292FAA1315B4D858AB3A3D7D5933A";
constexpr const char* CLEAR_PIN_BLOCK = "041274EDCBA9876F"; // PIN 1234, PAN 4012345678909

struct Derived {
    int status;
    int length;
    std::string key;
};

Derived derive(const char* key_field, const char* ksn, int variant) {
    const Bytes key = from_hex(key_field), serial = from_hex(ksn);
    std::uint8_t out[16] = {};
    int length = -7;
    const int status = dukpt_derive_key(key.data(), serial.data(), variant, out, &length);
    return {status, length, status == 0 ? to_hex(out, static_cast<std::size_t>(length)) : ""};
}

std::string tdes_encrypt(const std::string& key_hex, const char* block_hex) {
    const Bytes key = from_hex(key_hex), block = from_hex(block_hex);
    Bytes out(8);
    tdes2_block(DES_ENCRYPT, block.data(), key.data(), out.data());
    return to_hex(out);
}

struct KeyVector {
    const char* ksn;
    int variant;
    const char* key;
    const char* pin_block; // encrypted clear PIN block, or nullptr
};

// ANSI X9.24-1-2009 Annex A keys and encrypted PIN blocks for the first counters.
const KeyVector KEY_VECTORS[] = {
    {.ksn = "FFFF9876543210E00001", .variant = DUKPT_TDES_PIN, .key = "042666B49184CF5C68DE9628D0397B36",
     .pin_block = "1B9C1845EB993A7A"},
    {.ksn = "FFFF9876543210E00002", .variant = DUKPT_TDES_PIN, .key = "C46551CEF9FD244FAA9AD834130D3B38",
     .pin_block = "10A01C8D02C69107"},
    {.ksn = "FFFF9876543210E00003", .variant = DUKPT_TDES_PIN, .key = "0DF3D9422ACA561A47676D07AD6BAD05",
     .pin_block = "18DC07B94797B466"},
    {.ksn = "FFFF9876543210E00004", .variant = DUKPT_TDES_PIN, .key = "279C0F6AEED0BE9A2B2C733E1383AE6E",
     .pin_block = "0BC79509D5645DF7"},
    {.ksn = "FFFF9876543210E00005", .variant = DUKPT_TDES_PIN, .key = "5F8DC6D2C845C1DA508DDC048093B8C0",
     .pin_block = "5BC0AF22AD87B327"},
    {.ksn = "FFFF9876543210E00010", .variant = DUKPT_TDES_PIN, .key = "59598DCBD9BD943F94165CE453585FA8",
     .pin_block = nullptr},
    {.ksn = "FFFF9876543210EFF800", .variant = DUKPT_TDES_PIN, .key = nullptr, .pin_block = "33365F5CC6F23C35"},
    {.ksn = "FFFF9876543210F00000", .variant = DUKPT_TDES_PIN, .key = nullptr, .pin_block = "73EC88AD0AC5830E"},
    {.ksn = "FFFF9876543210E00001", .variant = DUKPT_TDES_MAC_REQUEST, .key = "042666B4918430A368DE9628D03984C9",
     .pin_block = nullptr},
    {.ksn = "FFFF9876543210E00002", .variant = DUKPT_TDES_MAC_REQUEST, .key = "C46551CEF9FDDBB0AA9AD834130DC4C7",
     .pin_block = nullptr},
    {.ksn = "FFFF9876543210E00005", .variant = DUKPT_TDES_MAC_REQUEST, .key = "5F8DC6D2C8453E25508DDC048093473F",
     .pin_block = nullptr},
    {.ksn = "FFFF9876543210E00001", .variant = DUKPT_TDES_MAC_RESPONSE, .key = "042666B46E84CFA368DE96282F397BC9",
     .pin_block = nullptr},
    {.ksn = "FFFF9876543210E00001", .variant = DUKPT_TDES_DATA_REQUEST, .key = "448D3F076D8304036A55A3D7E0055A78",
     .pin_block = nullptr},
    {.ksn = "FFFF9876543210E00002", .variant = DUKPT_TDES_DATA_REQUEST, .key = "F1BE73B36135C5C26CF937D50ABBE5AF",
     .pin_block = nullptr},
    {.ksn = "FFFF9876543210E00003", .variant = DUKPT_TDES_DATA_REQUEST, .key = "EEEEF522C67239E4A2A65FEBF4C511F4",
     .pin_block = nullptr},
    {.ksn = "FFFF9876543210E00004", .variant = DUKPT_TDES_DATA_REQUEST, .key = "BCF2610997C3AC3C5F13AE965A1B773B",
     .pin_block = nullptr},
    {.ksn = "FFFF9876543210E00005", .variant = DUKPT_TDES_DATA_REQUEST, .key = "F3054D8B7471284BDB4EE18AFC3B091B",
     .pin_block = nullptr},
    // ANSI X9.24-1999 single-length PIN keys (a walk of single-length steps from the IPEK's left half).
    {.ksn = "FFFF9876543210E00000", .variant = DUKPT_DES_PIN, .key = "6AC292FAA1315BB2", .pin_block = nullptr},
    {.ksn = "FFFF9876543210E00001", .variant = DUKPT_DES_PIN, .key = "35FDB4BBAEE6A293", .pin_block = nullptr},
    {.ksn = "FFFF9876543210E00002", .variant = DUKPT_DES_PIN, .key = "1A3CD4AB030F02BB", .pin_block = nullptr},
    {.ksn = "FFFF9876543210E00003", .variant = DUKPT_DES_PIN, .key = "1998AA279AA21032", .pin_block = nullptr},
    {.ksn = "FFFF9876543210E00004", .variant = DUKPT_DES_PIN, .key = "4D2ED4E7D411C27D", .pin_block = nullptr},
    {.ksn = "FFFF9876543210E00005", .variant = DUKPT_DES_PIN, .key = "28EBB08D6CF7D682", .pin_block = nullptr},
};

TEST(Dukpt, PublishedKeysAndPinBlocksFromTheBdk) {
    for (const auto& v : KEY_VECTORS) {
        const Derived d = derive(BDK, v.ksn, v.variant);
        ASSERT_EQ(d.status, 0);
        EXPECT_EQ(d.length, v.variant == DUKPT_DES_PIN ? 8 : 16);
        if (v.key) {
            EXPECT_EQ(d.key, v.key) << "KSN " << v.ksn << " variant " << v.variant;
        }
        if (v.pin_block) {
            EXPECT_EQ(tdes_encrypt(d.key, CLEAR_PIN_BLOCK), v.pin_block) << "KSN " << v.ksn;
        }
    }
}

TEST(Dukpt, SameKeysFromTheIpek) {
    for (const auto& v : KEY_VECTORS) {
        if (v.variant == DUKPT_DES_PIN)
            continue;
        EXPECT_EQ(derive(IPEK, v.ksn, v.variant | DUKPT_KEY_IS_IPEK).key, derive(BDK, v.ksn, v.variant).key)
            << "KSN " << v.ksn;
    }
}

TEST(Dukpt, IpekOfThePublishedBdk) {
    const Bytes bdk = from_hex(BDK);
    // The counter bits never enter the IPEK.
    for (const char* ksn : {"FFFF9876543210E00000", "FFFF9876543210E00001", "FFFF9876543210FFFFFF"}) {
        std::uint8_t ipek[16];
        dukpt_ipek(bdk.data(), from_hex(ksn).data(), ipek);
        EXPECT_EQ(to_hex(ipek, 16), IPEK) << "KSN " << ksn;
    }
}

struct RegisterVector {
    const char* ksn;
    const char* key_register; // after the counter walk, before the variant
};

// ANSI X9.24-1-2009 Annex A: the key register of counters 1 to 5, and the IPEK for counter 0.
const RegisterVector REGISTER_VECTORS[] = {
    {.ksn = "FFFF9876543210E00000", .key_register = IPEK},
    {.ksn = "FFFF9876543210E00001", .key_register = "042666B49184CFA368DE9628D0397BC9"},
    {.ksn = "FFFF9876543210E00002", .key_register = "C46551CEF9FD24B0AA9AD834130D3BC7"},
    {.ksn = "FFFF9876543210E00003", .key_register = "0DF3D9422ACA56E547676D07AD6BADFA"},
    {.ksn = "FFFF9876543210E00004", .key_register = "279C0F6AEED0BE652B2C733E1383AE91"},
    {.ksn = "FFFF9876543210E00005", .key_register = "5F8DC6D2C845C125508DDC048093B83F"},
};

// Inverts the given bytes (0-based) of a hexadecimal key.
std::string invert_bytes(const char* key_hex, std::initializer_list<int> positions) {
    Bytes key = from_hex(key_hex);
    for (int p : positions)
        key[static_cast<std::size_t>(p)] ^= 0xFF;
    return to_hex(key);
}

// PIN, MAC request and MAC response keys are the register with bytes 8/16, 7/15 and 5/13 inverted;
TEST(Dukpt, VariantKeysAreTheRegisterWithTheirBytesInverted) {
    for (const auto& v : REGISTER_VECTORS) {
        EXPECT_EQ(derive(BDK, v.ksn, DUKPT_TDES_PIN).key, invert_bytes(v.key_register, {7, 15})) << v.ksn;
        EXPECT_EQ(derive(BDK, v.ksn, DUKPT_TDES_MAC_REQUEST).key, invert_bytes(v.key_register, {6, 14})) << v.ksn;
        EXPECT_EQ(derive(BDK, v.ksn, DUKPT_TDES_MAC_RESPONSE).key, invert_bytes(v.key_register, {4, 12})) << v.ksn;
        // The single-length walk has steps of its own; its MAC key is its PIN key with bytes 7 and 8 inverted.
        const std::string des_pin = derive(BDK, v.ksn, DUKPT_DES_PIN).key;
        EXPECT_EQ(derive(BDK, v.ksn, DUKPT_DES_MAC).key, invert_bytes(des_pin.c_str(), {6, 7})) << v.ksn;
    }
}

// The data keys are not simple variants: both halves are encrypted after masking.
TEST(Dukpt, DataKeysAreEncryptedVariants) {
    for (const auto& v : REGISTER_VECTORS) {
        const std::string request = derive(BDK, v.ksn, DUKPT_TDES_DATA_REQUEST).key;
        const std::string response = derive(BDK, v.ksn, DUKPT_TDES_DATA_RESPONSE).key;
        EXPECT_NE(request, invert_bytes(v.key_register, {5, 13})) << v.ksn;
        EXPECT_NE(response, invert_bytes(v.key_register, {3, 11})) << v.ksn;
        EXPECT_NE(request, response) << v.ksn;
        // Each half of the masked register encrypted under the masked register itself.
        const std::string masked = invert_bytes(v.key_register, {3, 11});
        const Bytes masked_bytes = from_hex(masked);
        EXPECT_EQ(response, tdes_encrypt(masked, to_hex(masked_bytes.data(), 8).c_str()) +
                                tdes_encrypt(masked, to_hex(masked_bytes.data() + 8, 8).c_str()))
            << v.ksn;
    }
}

// Counter 0x1FFFFF walks 21 steps: it is one step on from the register of 0x1FFFFE.
TEST(Dukpt, FullCounterIsOneStepOnFromItsPredecessor) {
    const std::string before = invert_bytes(derive(BDK, "FFFF9876543210FFFFFE", DUKPT_TDES_PIN).key.c_str(), {7, 15});
    const std::string after = invert_bytes(derive(BDK, "FFFF9876543210FFFFFF", DUKPT_TDES_PIN).key.c_str(), {7, 15});
    Bytes key = from_hex(before);
    dukpt_key_step(DUKPT_TDES_PIN, from_hex("9876543210FFFFFF").data(), key.data(), key.data());
    EXPECT_EQ(to_hex(key), after);
    EXPECT_NE(before, after);
}

TEST(Dukpt, UnknownVariantWritesNothing) {
    const Bytes key = from_hex(BDK), ksn = from_hex("FFFF9876543210E00001");
    for (int variant : {7, 8, 15, 7 | DUKPT_KEY_IS_IPEK}) {
        std::uint8_t out[16];
        std::memset(out, 0x5A, sizeof out);
        int length = -7;
        EXPECT_EQ(dukpt_derive_key(key.data(), ksn.data(), variant, out, &length), -1) << variant;
        EXPECT_EQ(to_hex(out, 16), "5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A");
        EXPECT_EQ(length, -7);
    }
}

struct WhitenedVector {
    const char* key;
    const char* cipher;
};

// ANSI X9.24-1999 style single-length PIN keys of counters 1 to 5 and the encrypted PIN blocks.
const WhitenedVector WHITENED_VECTORS[] = {
    {.key = "35FDB4BBAEE6A293", .cipher = "6B1431D0D9B23093"},
    {.key = "1A3CD4AB030F02BB", .cipher = "B76997F83C1479DB"},
    {.key = "1998AA279AA21032", .cipher = "925BC2A39652CF75"},
    {.key = "4D2ED4E7D411C27D", .cipher = "8E180C51E598ED9C"},
    {.key = "28EBB08D6CF7D682", .cipher = "C799F1C4E638BAD4"},
};

TEST(Dukpt, WhitenedBlockBothWays) {
    const Bytes clear = from_hex(CLEAR_PIN_BLOCK);
    for (const auto& v : WHITENED_VECTORS) {
        const Bytes key = from_hex(v.key), cipher = from_hex(v.cipher);
        Bytes out(8);
        des_whitened_block(DES_ENCRYPT, clear.data(), key.data(), out.data());
        EXPECT_EQ(to_hex(out), v.cipher) << "key " << v.key;
        des_whitened_block(DES_DECRYPT, cipher.data(), key.data(), out.data());
        EXPECT_EQ(to_hex(out), CLEAR_PIN_BLOCK) << "key " << v.key;
    }
    // Plain DES under the first key differs: the whitening is part of the transform.
    Bytes plain_des(8);
    des_block(DES_ENCRYPT, clear.data(), from_hex("35FDB4BBAEE6A293").data(), plain_des.data());
    EXPECT_EQ(to_hex(plain_des), "AE03BBC9A095DEFE");
}

} // namespace
