// catalogue.cpp: every operation of the drop-list, in its order, with the look of its fields,
// its help text, the handler that GO! runs and its flags. Texts are Windows-1252.
#include "core/catalogue.h"

#include <algorithm>
#include <iterator>

#include "aes_dukpt/rows.h"
#include "core/handlers.h"
#include "emv/rows.h"
#include "keyblock/rows.h"
#include "pin/rows.h"

namespace {

constexpr FieldLook HIDDEN_ARROW = {nullptr, 124};
constexpr FieldLook HIDDEN_FUNNEL = {nullptr, 125};
constexpr FieldLook HIDDEN_DASHES = {nullptr, 126};
constexpr FieldLook HIDDEN_EMPTY = {nullptr, -1};
constexpr FieldLook IV_8 = {"Initial Value (8 bytes - optional):", 116};
constexpr FieldLook KSN = {"KSN - Key Serial Number (10 bytes):", 128};
constexpr FieldLook BDK = {"Triple-DES BDK - Base Derivation Key (16 bytes):", 129};
constexpr FieldLook CLEAR_PIN = {"Clear [PIN xor PAN] or 8-byte generic data blocks:", 137};
constexpr FieldLook ENCRYPTED_PIN = {"Encrypted data (EPB or 8-byte generic data blocks):", 118};
constexpr FieldLook OUT_EPB = {"Encrypted data or PIN Block (EPB):", 118};
constexpr FieldLook OUT_CLEAR_PIN = {"Clear [PIN xor PAN] or generic data:", 137};
constexpr FieldLook CLEAR_8 = {"Clear data (8-byte blocks):", 117};
constexpr FieldLook ENCRYPTED_8 = {"Encrypted data (8-byte blocks):", 118};
constexpr FieldLook OUT_ENCRYPTED = {"Encrypted data:", 118};
constexpr FieldLook OUT_CLEAR = {"Clear data:", 117};
constexpr FieldLook MAC_DATA = {"Data to be authenticated (8-byte blocks):", 123};
constexpr FieldLook OUT_MAC = {"MAC - Message Authentication Code:", 139};
constexpr FieldLook DIGEST_DATA = {"Data to digest:", 123};
constexpr FieldLook OUT_HASH = {"Hash:", 122};
constexpr FieldLook ADJUST_IN = {"Input data to be adjusted:", 117};
constexpr FieldLook OUT_ADJUSTED = {"Adjusted data:", 138};

#define DUKPT_1999 "DUKPT - Derived Unique Key Per Transaction - ANSI X9.24-1999\n"
#define DUKPT_2009 "DUKPT - Derived Unique Key Per Transaction - ANSI X9.24-2009\n"
#define TDES_2KEY "Triple Data Encryption Standard - ANSI X9.52 keying option 2 (2TDEA)\r"
#define TDES_3KEY "Triple Data Encryption Standard - ANSI X9.52 keying option 1 (3TDEA)\r"

constexpr OperationRow ORIGINAL_ROWS[] = {
    separator("==================== SYMMETRIC ALGORITHMS =====================", 132),
    {OP_AES, "AES",
     {{"Clear data (16-byte blocks):", 117}, HIDDEN_ARROW, {"AES Key (16, 24 or 32 bytes):", 115},
      {"Initial Value (16 bytes - optional):", 116}, OUT_ENCRYPTED},
     "NIST - Advanced Encryption Standard\r(encryption)", block_cipher_handler, 0x0017},
    {OP_AES, "AES [rev]",
     {{"Encrypted data (16-byte blocks):", 118}, HIDDEN_ARROW, {"AES Key (16, 24 or 32 bytes):", 115},
      {"Initial Value (16 bytes - optional):", 116}, OUT_CLEAR},
     "NIST - Advanced Encryption Standard\r(decryption)", block_cipher_handler, 0x001B},
    {OP_DES, "DES", {CLEAR_8, HIDDEN_ARROW, {"DES Key (8 bytes):", 115}, IV_8, OUT_ENCRYPTED},
     "Data Encryption Standard - ANSI X3.92 (DEA)\r(encryption)", block_cipher_handler, 0x0017},
    {OP_DES, "DES [rev]", {ENCRYPTED_8, HIDDEN_ARROW, {"DES Key (8 bytes):", 115}, IV_8, OUT_CLEAR},
     "Data Encryption Standard - ANSI X3.92 (DEA)\r(decryption)", block_cipher_handler, 0x001B},
    {OP_TDES, "Triple-DES", {CLEAR_8, HIDDEN_ARROW, {"Triple-DES Key (16 bytes):", 115}, IV_8, OUT_ENCRYPTED},
     TDES_2KEY "(encryption)", block_cipher_handler, 0x0017},
    {OP_TDES, "Triple-DES [rev]", {ENCRYPTED_8, HIDDEN_ARROW, {"Triple-DES Key (16 bytes):", 115}, IV_8, OUT_CLEAR},
     TDES_2KEY "(decryption)", block_cipher_handler, 0x001B},
    {OP_TDES_K24, "Triple-DES/K24",
     {CLEAR_8, HIDDEN_ARROW, {"Triple-DES Key (3TDEA - 24 bytes):", 115}, IV_8, OUT_ENCRYPTED},
     TDES_3KEY "(encryption)", block_cipher_handler, 0x0017},
    {OP_TDES_K24, "Triple-DES/K24 [rev]",
     {ENCRYPTED_8, HIDDEN_ARROW, {"Triple-DES Key (3TDEA - 24 bytes):", 115}, IV_8, OUT_CLEAR},
     TDES_3KEY "(decryption)", block_cipher_handler, 0x001B},
    {OP_TDES_MAC, "Triple-DES MAC (DES / final Triple-DES)",
     {MAC_DATA, HIDDEN_ARROW, {"DES / Triple-DES Key (16 bytes):", 115}, IV_8, OUT_MAC},
     "Message Authentication Code with DES/3DES\r(ISO/IEC 9797-1 algorithm 3)", block_cipher_handler, 0x0014},

    separator("==================== ASYMMETRIC ALGORITHMS ====================", 133),
    {OP_RSA, "RSA Encryption/Decription",
     {{"Input data (32 to 512 bytes):", 117}, {"Key Modulus (32 to 512 bytes):", 120},
      {"Key Exponent (Public or Private, 32 to 512 bytes):", 119}, HIDDEN_ARROW, {"Output:", 118}},
     "Simple RSA (Rivest\x96" "Shamir\x96" "Adleman)\rusing Modulus and Exponent (Public or Private)", rsa_handler,
     0x0000},
    {OP_RSA, "RSA Key Generation",
     {{"Key size in bytes (up to 4096 bits or 512 bytes; ex. '0100' = 256 bytes):", 140},
      {"PUBLIC Exponent (small prime, usually '03' or '010001'):", 119}, {"PRIVATE Exponent:", 141}, HIDDEN_DASHES,
      {"Key Modulus:", 120}},
     "RSA (Rivest\x96" "Shamir\x96" "Adleman) random key generation", rsa_keygen_handler, 0x8000},

    separator("======================= HASH FUNCTIONS ========================", 136),
    {OP_CRC16, "CRC16",
     {DIGEST_DATA, {"Initial Value (2 bytes - optional):", 116}, HIDDEN_ARROW, HIDDEN_FUNNEL, OUT_HASH},
     "Cyclic Redundancy Check\r16 bits (x^16 + x^12 + x^5 + x^0)", digest_handler, 0x0000},
    {OP_MD5, "MD5", {DIGEST_DATA, HIDDEN_EMPTY, HIDDEN_ARROW, HIDDEN_FUNNEL, OUT_HASH},
     "Rivest Message-Digest Algorithm #5\r128 bits (16 bytes)", digest_handler, 0x0000},
    {OP_SHA1, "SHA-1", {DIGEST_DATA, HIDDEN_EMPTY, HIDDEN_ARROW, HIDDEN_FUNNEL, OUT_HASH},
     "NIST Secure Hash Algorithm #1\r160 bits (20 bytes)", digest_handler, 0x0000},
    {OP_SHA256, "SHA-256", {DIGEST_DATA, HIDDEN_EMPTY, HIDDEN_ARROW, HIDDEN_FUNNEL, OUT_HASH},
     "NIST Secure Hash Algorithm #2\r256 bits (32 bytes)", digest_handler, 0x0000},
    {OP_SHA384, "SHA-384", {DIGEST_DATA, HIDDEN_EMPTY, HIDDEN_ARROW, HIDDEN_FUNNEL, OUT_HASH},
     "NIST Secure Hash Algorithm #2\r384 bits (48 bytes)", digest_handler, 0x0000},
    {OP_SHA512, "SHA-512", {DIGEST_DATA, HIDDEN_EMPTY, HIDDEN_ARROW, HIDDEN_FUNNEL, OUT_HASH},
     "NIST Secure Hash Algorithm #2\r512 bits (64 bytes)", digest_handler, 0x0000},

    separator("================= PIN ENCRYPTION ALGORITHMS ===================", 134),
    {OP_MKWK_DES, "MK/WK DES",
     {CLEAR_PIN, {"DES Working Key, encrypted by the Master Key (8 bytes):", 131}, {"DES Master Key (8 bytes):", 130},
      IV_8, OUT_EPB},
     "DES using a Working Key encripted by a Master Key\rANSI X9.8 (encryption)", block_cipher_handler, 0x0017},
    {OP_MKWK_DES, "MK/WK DES [rev]",
     {ENCRYPTED_PIN, {"DES Working Key, encrypted by the Master Key (8 bytes):", 131},
      {"DES Master Key (8 bytes):", 130}, IV_8, OUT_CLEAR_PIN},
     "DES using a Working Key encripted by a Master Key\rANSI X9.8 (decryption)", block_cipher_handler, 0x001B},
    {OP_MKWK_TDES, "MK/WK Triple-DES",
     {CLEAR_PIN, {"Triple-DES Working Key, encrypted by the Master Key (16 bytes):", 131},
      {"Triple-DES Master Key (16 bytes):", 130}, IV_8, OUT_EPB},
     "Triple-DES using a Working Key encripted by a Master Key\rANSI X9.8 (encryption)", block_cipher_handler, 0x0017},
    {OP_MKWK_TDES, "MK/WK Triple-DES [rev]",
     {ENCRYPTED_PIN, {"Triple-DES Working Key, encrypted by the Master Key (16 bytes):", 131},
      {"Triple-DES Master Key (16 bytes):", 130}, IV_8, OUT_CLEAR_PIN},
     "Triple-DES using a Working Key encripted by a Master Key\rANSI X9.8 (decryption)", block_cipher_handler, 0x001B},
    {OP_DUKPT_DES_PIN, "DUKPT DES PIN", {CLEAR_PIN, KSN, BDK, IV_8, OUT_EPB},
     DUKPT_1999 "Variant: PIN Coding (encryption)", block_cipher_handler, 0x0013},
    {OP_DUKPT_DES_PIN, "DUKPT DES PIN [rev]", {ENCRYPTED_PIN, KSN, BDK, IV_8, OUT_CLEAR_PIN},
     DUKPT_1999 "Variant: PIN Coding (decryption)", block_cipher_handler, 0x001B},
    {OP_DUKPT_DES_MAC, "DUKPT DES MAC", {MAC_DATA, KSN, BDK, IV_8, OUT_MAC},
     DUKPT_1999 "Variant: Message Authentication Code (MAC) generation", block_cipher_handler, 0x0014},
    {OP_DUKPT_TDES_PIN, "DUKPT Triple-DES PIN", {CLEAR_PIN, KSN, BDK, IV_8, OUT_EPB},
     DUKPT_2009 "Variant: PIN Coding (encryption)", block_cipher_handler, 0x0033},
    {OP_DUKPT_TDES_PIN, "DUKPT Triple-DES PIN [rev]", {ENCRYPTED_PIN, KSN, BDK, IV_8, OUT_CLEAR_PIN},
     DUKPT_2009 "Variant: PIN Coding (decryption)", block_cipher_handler, 0x003B},
    {OP_DUKPT_TDES_DATA_REQ, "DUKPT Triple-DES Data req/both",
     {CLEAR_8, KSN, BDK, IV_8, {"Ecnrypted data:", 118}},
     DUKPT_2009 "Variant: Data Coding, request or both ways (encryption)", block_cipher_handler, 0x0033},
    {OP_DUKPT_TDES_DATA_REQ, "DUKPT Triple-DES Data req/both [rev]", {ENCRYPTED_8, KSN, BDK, IV_8, OUT_CLEAR},
     DUKPT_2009 "Variant: Data Coding, request or both ways (decryption)", block_cipher_handler, 0x003B},
    {OP_DUKPT_TDES_DATA_RESP, "DUKPT Triple-DES Data resp", {CLEAR_8, KSN, BDK, IV_8, {"Ecnrypted data:", 118}},
     DUKPT_2009 "Variant: Data Coding, response (encryption)", block_cipher_handler, 0x0033},
    {OP_DUKPT_TDES_DATA_RESP, "DUKPT Triple-DES Data resp [rev]", {ENCRYPTED_8, KSN, BDK, IV_8, OUT_CLEAR},
     DUKPT_2009 "Variant: Data Coding, response (decryption)", block_cipher_handler, 0x003B},
    {OP_DUKPT_TDES_MAC_REQ, "DUKPT Triple-DES MAC req/both", {MAC_DATA, KSN, BDK, IV_8, OUT_MAC},
     DUKPT_2009 "Variant: Message Authentication, request or both ways", block_cipher_handler, 0x0034},
    {OP_DUKPT_TDES_MAC_RESP, "DUKPT Triple-DES MAC resp", {MAC_DATA, KSN, BDK, IV_8, OUT_MAC},
     DUKPT_2009 "Variant: Message Authentication, response", block_cipher_handler, 0x0034},
    {OP_DUKPT_IPEK, "DUKPT Triple-DES IPEK derivation",
     {KSN, HIDDEN_DASHES, BDK, HIDDEN_ARROW, {"Triple-DES IPEK:", 115}},
     DUKPT_2009 "Initially loaded PIN Encryption Key (IPEK) derivation", ipek_handler, 0x0010},

    separator("========================= OTHER TOOLS =========================", 135),
    {OP_XOR, "XOR",
     {{"1st Input:", 117}, {"2nd Input (optional):", 117}, {"3rd Input (optional):", 117},
      {"4th Input (optional):", 117}, {"Output:", 121}},
     "Exclusive OR\rof up to 4 values", xor_handler, 0x0000},
    {OP_PARITY_LSB_ODD, "Parity Adjust (lsb odd)", {ADJUST_IN, HIDDEN_EMPTY, HIDDEN_ARROW, HIDDEN_EMPTY, OUT_ADJUSTED},
     "Parity adjust\nLeast significant bit - odd parity", parity_adjust_handler, 0x0000},
    {OP_PARITY_LSB_EVEN, "Parity Adjust (lsb even)",
     {ADJUST_IN, HIDDEN_EMPTY, HIDDEN_ARROW, HIDDEN_EMPTY, OUT_ADJUSTED},
     "Parity adjust\nLeast significant bit - even parity", parity_adjust_handler, 0x0000},
    {OP_PARITY_MSB_ODD, "Parity Adjust (msb odd)", {ADJUST_IN, HIDDEN_EMPTY, HIDDEN_ARROW, HIDDEN_EMPTY, OUT_ADJUSTED},
     "Parity adjust\nMost significant bit - odd parity", parity_adjust_handler, 0x0000},
    {OP_PARITY_MSB_EVEN, "Parity Adjust (msb even)",
     {ADJUST_IN, HIDDEN_EMPTY, HIDDEN_ARROW, HIDDEN_EMPTY, OUT_ADJUSTED},
     "Parity adjust\nMost significant bit - even parity", parity_adjust_handler, 0x0000},
};

constexpr std::array<OperationRow, 1> END_ROW = {{
    {OP_END, nullptr, {{nullptr, 0}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0}}, nullptr, nullptr, 0x0000},
}};

template <std::size_t... N>
constexpr auto join_rows(const std::array<OperationRow, N>&... parts)
{
    std::array<OperationRow, (N + ...)> all{};
    std::size_t at = 0;
    ((std::copy(std::begin(parts), std::end(parts), all.begin() + at), at += N), ...);
    return all;
}

constexpr auto ALL_ROWS = join_rows(std::to_array(ORIGINAL_ROWS), PIN_ROWS, AES_DUKPT_ROWS, KEY_BLOCK_ROWS, EMV_ROWS, END_ROW);
static_assert(std::size(ORIGINAL_ROWS) == 43);

} // namespace

const std::span<const OperationRow> catalogue = ALL_ROWS;
const int CATALOGUE_ROWS = static_cast<int>(ALL_ROWS.size());

bool field_is_output(const OperationRow& row, int index)
{
    std::uint32_t tail = row_tail(row);
    switch (index) {
    case 1: return tail == TAIL_FIELD1;
    case 2: return tail >= TAIL_FIELD2;
    case 3: return tail >= TAIL_FIELD3;
    case 4: return true;
    default: return false;
    }
}

const std::array<int, 5> field_edit_id = {IDC_EDIT0, IDC_EDIT1, IDC_EDIT2, IDC_EDIT3, IDC_EDIT_OUT};
const std::array<int, 5> field_label_id = {IDC_LABEL0, IDC_LABEL1, IDC_LABEL2, IDC_LABEL3, IDC_LABEL_OUT};
const std::array<int, 5> field_counter_id = {IDC_COUNT0, IDC_COUNT1, IDC_COUNT2, IDC_COUNT3, IDC_COUNT_OUT};
const std::array<int, 5> field_ascii_id = {IDC_ASCII0, IDC_ASCII1, IDC_ASCII2, IDC_ASCII3, IDC_ASCII_OUT};
const std::array<int, 5> field_adjust_id = {IDC_ADJUST0, IDC_ADJUST1, IDC_ADJUST2, IDC_ADJUST3, -1};
const std::array<int, 5> field_icon_id = {IDC_ICON0, IDC_ICON1, IDC_ICON2, IDC_ICON3, IDC_ICON_OUT};

std::array<BitmapSlot, BITMAP_SLOTS> bitmap_table = {{
    {115, 0}, {116, 0}, {117, 0}, {118, 0}, {120, 0}, {119, 0}, {141, 0}, {140, 0}, {121, 0},
    {122, 0}, {123, 0}, {124, 0}, {125, 0}, {126, 0}, {138, 0}, {139, 0}, {128, 0}, {129, 0},
    {130, 0}, {131, 0}, {137, 0}, {132, 0}, {133, 0}, {134, 0}, {135, 0}, {136, 0}, {0, 0},
}};

std::uintptr_t resolve_icon(std::int32_t icon)
{
    if (icon < 0)
        return 0;
    for (const BitmapSlot& slot : bitmap_table) {
        if (slot.id == 0)
            break;
        if (slot.id == icon)
            return slot.image;
    }
    return 0;
}
