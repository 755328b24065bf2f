// dukpt_test.cpp: DUKPT keys and PIN blocks against ANSI X9.24-1-2009 Annex A (and its 1999 single-length keys).
#include <gtest/gtest.h>

#include "symmetric/des.h"
#include "symmetric/dukpt.h"
#include "symmetric/triple_des.h"
#include "tests/symmetric/support.h"

namespace {

constexpr const char* CLEAR_PIN_BLOCK = "041274EDCBA9876F"; // PIN 1234, PAN 4012345678909
const std::string KSN = "FFFF9876543210";                 // the KSN less its last three bytes
const std::string REFUSED = "refused, " + std::string(32, 'A') + " -7"; // output buffer and length untouched

std::string derive(const char* key_field, const std::string& ksn, int variant) {
    Bytes out(16, 0xAA);
    int length = -7;
    if (dukpt_derive_key(from_hex(key_field).data(), from_hex(ksn).data(), variant, out.data(), &length) != 0)
        return "refused, " + to_hex(out) + " " + std::to_string(length);
    return length == 8 || length == 16 ? to_hex(out).substr(0, 2 * static_cast<std::size_t>(length)) : "bad length";
}

// ksn: its last three bytes; pin: CLEAR_PIN_BLOCK encrypted under the key.
struct KeyVector { const char* ksn; int variant; const char *key, *pin = nullptr; };

// Counter 0 lines are the IPEK 6AC292FAA1315B4D858AB3A3D7D5933A (or its left half) with the PIN variant;
// the single-length MAC key is the PIN key with bytes 7 and 8 inverted; the data response key (openssl value)
// is the counter 1 register with bytes 4 and 12 inverted, each half then Triple-DES encrypted under it.
const KeyVector KEYS[] = {
    {.ksn = "E00000", .variant = DUKPT_TDES_PIN, .key = "6AC292FAA1315BB2858AB3A3D7D593C5"},
    {.ksn = "E00001", .variant = DUKPT_TDES_PIN, .key = "042666B49184CF5C68DE9628D0397B36", .pin = "1B9C1845EB993A7A"},
    {.ksn = "E00002", .variant = DUKPT_TDES_PIN, .key = "C46551CEF9FD244FAA9AD834130D3B38", .pin = "10A01C8D02C69107"},
    {.ksn = "E00005", .variant = DUKPT_TDES_PIN, .key = "5F8DC6D2C845C1DA508DDC048093B8C0", .pin = "5BC0AF22AD87B327"},
    {.ksn = "E00010", .variant = DUKPT_TDES_PIN, .key = "59598DCBD9BD943F94165CE453585FA8"},
    {.ksn = "EFF800", .variant = DUKPT_TDES_PIN, .key = nullptr, .pin = "33365F5CC6F23C35"},
    {.ksn = "F00000", .variant = DUKPT_TDES_PIN, .key = nullptr, .pin = "73EC88AD0AC5830E"},
    {.ksn = "E00001", .variant = DUKPT_TDES_MAC_REQUEST, .key = "042666B4918430A368DE9628D03984C9"},
    {.ksn = "E00001", .variant = DUKPT_TDES_MAC_RESPONSE, .key = "042666B46E84CFA368DE96282F397BC9"},
    {.ksn = "E00001", .variant = DUKPT_TDES_DATA_REQUEST, .key = "448D3F076D8304036A55A3D7E0055A78"},
    {.ksn = "E00001", .variant = DUKPT_TDES_DATA_RESPONSE, .key = "AD7BFC8B06AD3A08A560B4105CF8D9E5"},
    {.ksn = "E00000", .variant = DUKPT_DES_PIN, .key = "6AC292FAA1315BB2"},
    {.ksn = "E00001", .variant = DUKPT_DES_PIN, .key = "35FDB4BBAEE6A293", .pin = "6B1431D0D9B23093"},
    {.ksn = "E00001", .variant = DUKPT_DES_MAC, .key = "35FDB4BBAEE65D6C"},
    {.ksn = "E00001", .variant = 7, .key = REFUSED.c_str()}, // an unknown variant
};

// The double-length keys must also come from the IPEK; PIN blocks go both ways (whitened for single length).
TEST(Dukpt, PublishedKeysAndPinBlocks) {
    for (const auto& v : KEYS) {
        const std::string ksn = KSN + v.ksn, key = derive(BDK, ksn, v.variant);
        EXPECT_EQ(key, v.key ? v.key : key) << "KSN " << ksn << ", variant " << v.variant;
        if (v.variant != DUKPT_DES_PIN && v.variant != DUKPT_DES_MAC) {
            EXPECT_EQ(derive("6AC292FAA1315B4D858AB3A3D7D5933A", ksn, v.variant | DUKPT_KEY_IS_IPEK), key) << ksn;
        }
        if (!v.pin)
            continue;
        const auto transform = v.variant == DUKPT_DES_PIN ? des_whitened_block : tdes2_block;
        const Bytes k = from_hex(key), clear = from_hex(CLEAR_PIN_BLOCK), pin = from_hex(v.pin);
        Bytes out(8), back(8);
        transform(DES_ENCRYPT, clear.data(), k.data(), out.data());
        transform(DES_DECRYPT, pin.data(), k.data(), back.data());
        EXPECT_EQ(to_hex(out), v.pin) << "KSN " << ksn;
        EXPECT_EQ(to_hex(back), CLEAR_PIN_BLOCK) << "KSN " << ksn;
    }
}

// Counter 0x1FFFFF walks all 21 bits: its key register is one step on from that of 0x1FFFFE.
TEST(Dukpt, FullCounterIsOneStepOnFromItsPredecessor) {
    Bytes r = from_hex(derive(BDK, KSN + "FFFFFE", DUKPT_TDES_PIN));
    r[7] ^= 0xFF, r[15] ^= 0xFF; // the PIN variant undone
    dukpt_key_step(DUKPT_TDES_PIN, from_hex("9876543210FFFFFF").data(), r.data(), r.data());
    r[7] ^= 0xFF, r[15] ^= 0xFF;
    EXPECT_EQ(to_hex(r), derive(BDK, KSN + "FFFFFF", DUKPT_TDES_PIN));
}

} // namespace
