// original_rows.h: the 43 drop-list entries the workbench has always had, in their order, with the look
// and description of their fields, their help texts, the handlers GO! runs and their flags. Texts are
// Windows-1252. rows/catalogue.cpp appends the families' rows after them.
#pragma once

#include "core/catalogue.h"
#include "core/handlers.h"
#include "symmetric/cipher_row.h"

namespace original_rows {

constexpr FieldLook IV_8 = {"Initial Value (8 bytes - optional):", 116, "iv", or_empty(exactly(8)), nullptr, "zeros"};
constexpr FieldLook KSN = {"KSN - Key Serial Number (10 bytes):", 128, "ksn", exactly(10)};
constexpr FieldLook BDK = {"Triple-DES BDK - Base Derivation Key (16 bytes):", 129, "bdk", exactly(16)};
constexpr FieldLook CLEAR_PIN = {"Clear [PIN xor PAN] or 8-byte generic data blocks:", 137, "data", multiple_of(8), "pin-block"};
constexpr FieldLook ENCRYPTED_PIN = {"Encrypted data (EPB or 8-byte generic data blocks):", 118, "data", multiple_of(8), "pin-block epb"};
constexpr FieldLook OUT_EPB = {"Encrypted data or PIN Block (EPB):", 118, "epb"};
constexpr FieldLook OUT_CLEAR_PIN = {"Clear [PIN xor PAN] or generic data:", 137, "clear"};
constexpr FieldLook CLEAR_8 = {"Clear data (8-byte blocks):", 117, "data", multiple_of(8)};
constexpr FieldLook ENCRYPTED_8 = {"Encrypted data (8-byte blocks):", 118, "data", multiple_of(8)};
constexpr FieldLook OUT_ENCRYPTED = {"Encrypted data:", 118, "encrypted"};
constexpr FieldLook OUT_CLEAR = {"Clear data:", 117, "clear"};
constexpr FieldLook MAC_DATA = {"Data to be authenticated (8-byte blocks):", 123, "data", multiple_of(8)};
constexpr FieldLook OUT_MAC = {"MAC - Message Authentication Code:", 139, "mac"};
constexpr FieldLook DIGEST_DATA = {"Data to digest:", 123, "data", or_empty(any_size())};
constexpr FieldLook OUT_HASH = {"Hash:", 122, "hash"};
constexpr FieldLook KEY_DES = {"DES Key (8 bytes):", 115, "key", exactly(8)};
constexpr FieldLook KEY_TDES = {"Triple-DES Key (16 bytes):", 115, "key", exactly(16)};
constexpr FieldLook KEY_TDES_K24 = {"Triple-DES Key (3TDEA - 24 bytes):", 115, "key", exactly(24)};
constexpr FieldLook KEY_AES = {"AES Key (16, 24 or 32 bytes):", 115, "key", one_of(16, 24, 32)};
constexpr FieldLook IV_16 = {"Initial Value (16 bytes - optional):", 116, "iv", or_empty(exactly(16)), nullptr, "zeros"};
constexpr FieldLook ADJUST_IN = {"Input data to be adjusted:", 117, "data", any_size()};
constexpr FieldLook OUT_ADJUSTED = {"Adjusted data:", 138, "adjusted"};

#define DUKPT_1999 "DUKPT - Derived Unique Key Per Transaction - ANSI X9.24-1999\n"
#define DUKPT_2009 "DUKPT - Derived Unique Key Per Transaction - ANSI X9.24-2009\n"
#define TDES_2KEY "Triple Data Encryption Standard - ANSI X9.52 keying option 2 (2TDEA)\r"
#define TDES_3KEY "Triple Data Encryption Standard - ANSI X9.52 keying option 1 (3TDEA)\r"

inline constexpr OperationRow ORIGINAL_ROWS[] = {
    separator("==================== SYMMETRIC ALGORITHMS =====================", 132),
    {OP_AES, "AES",
     {{"Clear data (16-byte blocks):", 117, "data", multiple_of(16)}, HIDDEN_ARROW, KEY_AES, IV_16, OUT_ENCRYPTED},
     "NIST - Advanced Encryption Standard\r(encryption)", block_cipher_handler, 0x0017, &CIPHER_AES, check_value_aes},
    {OP_AES, "AES [rev]",
     {{"Encrypted data (16-byte blocks):", 118, "data", multiple_of(16)}, HIDDEN_ARROW, KEY_AES, IV_16, OUT_CLEAR},
     "NIST - Advanced Encryption Standard\r(decryption)", block_cipher_handler, 0x001B, &CIPHER_AES, check_value_aes},
    {OP_DES, "DES", {CLEAR_8, HIDDEN_ARROW, KEY_DES, IV_8, OUT_ENCRYPTED},
     "Data Encryption Standard - ANSI X3.92 (DEA)\r(encryption)", block_cipher_handler, 0x0017, &CIPHER_DES, check_value_des},
    {OP_DES, "DES [rev]", {ENCRYPTED_8, HIDDEN_ARROW, KEY_DES, IV_8, OUT_CLEAR},
     "Data Encryption Standard - ANSI X3.92 (DEA)\r(decryption)", block_cipher_handler, 0x001B, &CIPHER_DES, check_value_des},
    {OP_TDES, "Triple-DES", {CLEAR_8, HIDDEN_ARROW, KEY_TDES, IV_8, OUT_ENCRYPTED},
     TDES_2KEY "(encryption)", block_cipher_handler, 0x0017, &CIPHER_TDES, check_value_tdes},
    {OP_TDES, "Triple-DES [rev]", {ENCRYPTED_8, HIDDEN_ARROW, KEY_TDES, IV_8, OUT_CLEAR},
     TDES_2KEY "(decryption)", block_cipher_handler, 0x001B, &CIPHER_TDES, check_value_tdes},
    {OP_TDES_K24, "Triple-DES/K24",
     {CLEAR_8, HIDDEN_ARROW, KEY_TDES_K24, IV_8, OUT_ENCRYPTED},
     TDES_3KEY "(encryption)", block_cipher_handler, 0x0017, &CIPHER_TDES_K24, check_value_tdes24},
    {OP_TDES_K24, "Triple-DES/K24 [rev]",
     {ENCRYPTED_8, HIDDEN_ARROW, KEY_TDES_K24, IV_8, OUT_CLEAR},
     TDES_3KEY "(decryption)", block_cipher_handler, 0x001B, &CIPHER_TDES_K24, check_value_tdes24},
    {OP_TDES_MAC, "Triple-DES MAC (DES / final Triple-DES)",
     {MAC_DATA, HIDDEN_ARROW, {"DES / Triple-DES Key (16 bytes):", 115, "key", exactly(16)}, IV_8, OUT_MAC},
     "Message Authentication Code with DES/3DES\r(ISO/IEC 9797-1 algorithm 3)", block_cipher_handler, 0x0014, &CIPHER_TDES_MAC, check_value_tdes},

    separator("==================== ASYMMETRIC ALGORITHMS ====================", 133),
    {OP_RSA, "RSA Encryption/Decription",
     {{"Input data (32 to 512 bytes):", 117, "data", between(32, 512)},
      {"Key Modulus (32 to 512 bytes):", 120, "modulus", between(32, 512)},
      {"Key Exponent (Public or Private, 32 to 512 bytes):", 119, "exponent", between(1, 512)}, HIDDEN_ARROW,
      {"Output:", 118, "output"}},
     "Simple RSA (Rivest\x96" "Shamir\x96" "Adleman)\rusing Modulus and Exponent (Public or Private)", rsa_handler,
     0x0000},
    {OP_RSA, "RSA Key Generation",
     {{"Key size in bytes (up to 4096 bits or 512 bytes; ex. '0100' = 256 bytes):", 140, "key-size", between(1, 3)},
      {"PUBLIC Exponent (small prime, usually '03' or '010001'):", 119, "public-exponent", between(1, 3), "exponent"},
      {"PRIVATE Exponent:", 141, "private-exponent"}, HIDDEN_DASHES, {"Key Modulus:", 120, "modulus"}},
     "RSA (Rivest\x96" "Shamir\x96" "Adleman) random key generation", rsa_keygen_handler, 0x8000},

    separator("======================= HASH FUNCTIONS ========================", 136),
    {OP_CRC16, "CRC16",
     {DIGEST_DATA, {"Initial Value (2 bytes - optional):", 116, "iv", or_empty(exactly(2)), nullptr, "0000"}, HIDDEN_ARROW,
      HIDDEN_FUNNEL, OUT_HASH},
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
     {CLEAR_PIN, {"DES Working Key, encrypted by the Master Key (8 bytes):", 131, "working-key", exactly(8)}, {"DES Master Key (8 bytes):", 130, "master-key", exactly(8)},
      IV_8, OUT_EPB},
     "DES using a Working Key encripted by a Master Key\rANSI X9.8 (encryption)", block_cipher_handler, 0x0017, &CIPHER_MKWK_DES, check_value_des},
    {OP_MKWK_DES, "MK/WK DES [rev]",
     {ENCRYPTED_PIN, {"DES Working Key, encrypted by the Master Key (8 bytes):", 131, "working-key", exactly(8)},
      {"DES Master Key (8 bytes):", 130, "master-key", exactly(8)}, IV_8, OUT_CLEAR_PIN},
     "DES using a Working Key encripted by a Master Key\rANSI X9.8 (decryption)", block_cipher_handler, 0x001B, &CIPHER_MKWK_DES, check_value_des},
    {OP_MKWK_TDES, "MK/WK Triple-DES",
     {CLEAR_PIN, {"Triple-DES Working Key, encrypted by the Master Key (16 bytes):", 131, "working-key", exactly(16)},
      {"Triple-DES Master Key (16 bytes):", 130, "master-key", exactly(16)}, IV_8, OUT_EPB},
     "Triple-DES using a Working Key encripted by a Master Key\rANSI X9.8 (encryption)", block_cipher_handler, 0x0017, &CIPHER_MKWK_TDES, check_value_tdes},
    {OP_MKWK_TDES, "MK/WK Triple-DES [rev]",
     {ENCRYPTED_PIN, {"Triple-DES Working Key, encrypted by the Master Key (16 bytes):", 131, "working-key", exactly(16)},
      {"Triple-DES Master Key (16 bytes):", 130, "master-key", exactly(16)}, IV_8, OUT_CLEAR_PIN},
     "Triple-DES using a Working Key encripted by a Master Key\rANSI X9.8 (decryption)", block_cipher_handler, 0x001B, &CIPHER_MKWK_TDES, check_value_tdes},
    {OP_DUKPT_DES_PIN, "DUKPT DES PIN", {CLEAR_PIN, KSN, BDK, IV_8, OUT_EPB},
     DUKPT_1999 "Variant: PIN Coding (encryption)", block_cipher_handler, 0x0013, &CIPHER_DUKPT_DES_PIN, check_value_tdes},
    {OP_DUKPT_DES_PIN, "DUKPT DES PIN [rev]", {ENCRYPTED_PIN, KSN, BDK, IV_8, OUT_CLEAR_PIN},
     DUKPT_1999 "Variant: PIN Coding (decryption)", block_cipher_handler, 0x001B, &CIPHER_DUKPT_DES_PIN, check_value_tdes},
    {OP_DUKPT_DES_MAC, "DUKPT DES MAC", {MAC_DATA, KSN, BDK, IV_8, OUT_MAC},
     DUKPT_1999 "Variant: Message Authentication Code (MAC) generation", block_cipher_handler, 0x0014, &CIPHER_DUKPT_DES_MAC, check_value_tdes},
    {OP_DUKPT_TDES_PIN, "DUKPT Triple-DES PIN", {CLEAR_PIN, KSN, BDK, IV_8, OUT_EPB},
     DUKPT_2009 "Variant: PIN Coding (encryption)", block_cipher_handler, 0x0033, &CIPHER_DUKPT_TDES_PIN, check_value_tdes},
    {OP_DUKPT_TDES_PIN, "DUKPT Triple-DES PIN [rev]", {ENCRYPTED_PIN, KSN, BDK, IV_8, OUT_CLEAR_PIN},
     DUKPT_2009 "Variant: PIN Coding (decryption)", block_cipher_handler, 0x003B, &CIPHER_DUKPT_TDES_PIN, check_value_tdes},
    {OP_DUKPT_TDES_DATA_REQ, "DUKPT Triple-DES Data req/both",
     {CLEAR_8, KSN, BDK, IV_8, {"Ecnrypted data:", 118, "encrypted"}},
     DUKPT_2009 "Variant: Data Coding, request or both ways (encryption)", block_cipher_handler, 0x0033, &CIPHER_DUKPT_TDES_DATA_REQ, check_value_tdes},
    {OP_DUKPT_TDES_DATA_REQ, "DUKPT Triple-DES Data req/both [rev]", {ENCRYPTED_8, KSN, BDK, IV_8, OUT_CLEAR},
     DUKPT_2009 "Variant: Data Coding, request or both ways (decryption)", block_cipher_handler, 0x003B, &CIPHER_DUKPT_TDES_DATA_REQ, check_value_tdes},
    {OP_DUKPT_TDES_DATA_RESP, "DUKPT Triple-DES Data resp", {CLEAR_8, KSN, BDK, IV_8, {"Ecnrypted data:", 118, "encrypted"}},
     DUKPT_2009 "Variant: Data Coding, response (encryption)", block_cipher_handler, 0x0033, &CIPHER_DUKPT_TDES_DATA_RESP, check_value_tdes},
    {OP_DUKPT_TDES_DATA_RESP, "DUKPT Triple-DES Data resp [rev]", {ENCRYPTED_8, KSN, BDK, IV_8, OUT_CLEAR},
     DUKPT_2009 "Variant: Data Coding, response (decryption)", block_cipher_handler, 0x003B, &CIPHER_DUKPT_TDES_DATA_RESP, check_value_tdes},
    {OP_DUKPT_TDES_MAC_REQ, "DUKPT Triple-DES MAC req/both", {MAC_DATA, KSN, BDK, IV_8, OUT_MAC},
     DUKPT_2009 "Variant: Message Authentication, request or both ways", block_cipher_handler, 0x0034, &CIPHER_DUKPT_TDES_MAC_REQ, check_value_tdes},
    {OP_DUKPT_TDES_MAC_RESP, "DUKPT Triple-DES MAC resp", {MAC_DATA, KSN, BDK, IV_8, OUT_MAC},
     DUKPT_2009 "Variant: Message Authentication, response", block_cipher_handler, 0x0034, &CIPHER_DUKPT_TDES_MAC_RESP, check_value_tdes},
    {OP_DUKPT_IPEK, "DUKPT Triple-DES IPEK derivation",
     {KSN, HIDDEN_DASHES, {"Triple-DES BDK - Base Derivation Key (16 bytes):", 129, "bdk", exactly(16)}, HIDDEN_ARROW,
      {"Triple-DES IPEK:", 115, "ipek"}},
     DUKPT_2009 "Initially loaded PIN Encryption Key (IPEK) derivation", ipek_handler, 0x0010, nullptr, check_value_tdes},

    separator("========================= OTHER TOOLS =========================", 135),
    {OP_XOR, "XOR",
     {{"1st Input:", 117, "1st-input", any_size(), "input1"}, {"2nd Input (optional):", 117, "2nd-input", or_empty(any_size()), "input2"},
      {"3rd Input (optional):", 117, "3rd-input", or_empty(any_size()), "input3"},
      {"4th Input (optional):", 117, "4th-input", or_empty(any_size()), "input4"}, {"Output:", 121, "output"}},
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

} // namespace original_rows

#undef DUKPT_1999
#undef DUKPT_2009
#undef TDES_2KEY
#undef TDES_3KEY

static_assert(std::size(original_rows::ORIGINAL_ROWS) == 43);
