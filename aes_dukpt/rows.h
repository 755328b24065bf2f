// rows.h: the drop-list rows of the AES DUKPT (ANSI X9.24-3-2017); ids 40-49.
#pragma once

#include <array>
#include <cstdint>

#include "aes_dukpt/handlers.h"
#include "core/catalogue.h"
#include "core/handlers.h"

enum : std::int32_t {
    OP_AES_DUKPT_FIRST = 40,
    OP_AES_DUKPT_INITIAL_KEY = 40,
    OP_AES_DUKPT_WORKING_KEY = 41,
    OP_AES_DUKPT_INTERMEDIATE_KEY = 42,
    OP_AES_DUKPT_NEXT_KSN = 43,
    OP_AES_DUKPT_PIN_FORMAT4 = 44,
    OP_AES_DUKPT_PIN_FORMAT0 = 45,
    OP_AES_DUKPT_MAC = 46,
    OP_AES_DUKPT_DATA = 47,
    OP_AES_DUKPT_LAST = 49,
};

namespace aes_dukpt_rows {

constexpr FieldLook KSN = {"KSN - Key Serial Number (12 bytes):", 128, "ksn", exactly(12)};
constexpr FieldLook KSN_TYPE = {"KSN (12 bytes) + key type (0000/1 TDEA, 0002/3/4 AES-128/192/256):", 128, "ksn", one_of(12, 14)};
constexpr FieldLook KSN_TYPE_MAC = {"KSN (12 bytes) + key type (0000/1 TDEA, 0002/3/4 AES, 0005 HMAC):", 128, "ksn", one_of(12, 14)};
constexpr FieldLook BDK = {"AES BDK - Base Derivation Key (16, 24 or 32 bytes):", 129, "bdk", one_of(16, 24, 32), "ik"};
constexpr FieldLook IV = {"Initial Value (one block: 8 bytes TDEA, 16 bytes AES - optional):", 116, "iv", or_empty(one_of(8, 16)), nullptr, "zeros"};
constexpr FieldLook CLEAR = {"Clear data (8-byte blocks for TDEA keys, 16-byte blocks for AES):", 117, "data", multiple_of(8)};
constexpr FieldLook ENCRYPTED = {"Encrypted data (8-byte blocks for TDEA keys, 16-byte blocks for AES):", 118, "data", multiple_of(8)};
constexpr FieldLook MAC_DATA = {"Data to be authenticated:", 123, "data", any_size()};
constexpr FieldLook OUT_MAC = {"MAC - CMAC (whole block) or HMAC-SHA-256:", 139, "mac"};
constexpr FieldLook KSN_TYPE_AES = {"KSN (12 bytes) + key type (0002/3/4 AES-128/192/256 - optional):", 128, "ksn", one_of(12, 14)};
constexpr FieldLook KSN_TYPE_TDEA = {"KSN (12 bytes) + key type (0000 2TDEA - if omitted, 0001 3TDEA):", 128, "ksn", one_of(12, 14)};
constexpr FieldLook PIN = {"PIN (4 to 12 digits):", 137, "pin", between(4, 12)};
constexpr FieldLook PAN = {"PAN - Primary Account Number (digits):", 117, "pan", between(13, 19)};
// ISO 9564-1 format 4 takes any PAN of up to 19 digits; one shorter than 12 is right-justified in 12.
constexpr FieldLook PAN_4 = {"PAN - Primary Account Number (digits):", 117, "pan", between(1, 19)};
constexpr FieldLook OUT_PIN = {"PIN:", 137, "pin"};

#define AES_DUKPT "AES DUKPT - Derived Unique Key Per Transaction - ANSI X9.24-3-2017\r"

constexpr std::uint32_t PIN_FLAGS = OPF_CHECK_VALUE | OPF_IPEK_OPTION | OPF_AES_IK | OPF_DIGITS(3);

inline constexpr std::array<OperationRow, 18> ROWS{{
    separator("========================== AES DUKPT ==========================", 134),
    {OP_AES_DUKPT_INITIAL_KEY, "AES DUKPT Initial Key (IK) derivation",
     {{"Initial Key ID - BDK ID and derivation ID (8 bytes):", 128, "ik-id", exactly(8), "key"}, HIDDEN_DASHES,
      {"AES BDK - Base Derivation Key (16, 24 or 32 bytes):", 129, "bdk", one_of(16, 24, 32)}, HIDDEN_ARROW,
      {"AES DUKPT IK - Initial Key:", 115, "ik"}},
     AES_DUKPT "Initial Key (IK) derivation", aes_dukpt_initial_key_handler, OPF_CHECK_VALUE, nullptr, check_value_aes},
    {OP_AES_DUKPT_WORKING_KEY, "AES DUKPT Working Key derivation",
     {{"KSN (12 bytes) + key type (0000/1 TDEA, 0002/3/4 AES, 0005 HMAC - optional):", 128, "ksn", one_of(12, 14)},
      {"Key usage (1000 PIN, 2000/1/2 MAC, 3000/1/2 data, 0002 KEK, 8000 derivation):", 131, "key-usage", exactly(2),
       "key"},
      BDK, {"Check value (CMAC):", 139, "kcv"}, {"Working key:", 131, "working-key"}},
     AES_DUKPT "Any usage and type; KEK at counter FFFFFFFF: update key", aes_dukpt_working_key_handler,
     OPF_CHECK_VALUE | OPF_IPEK_OPTION | OPF_AES_IK | TAIL_FIELD3, nullptr, check_value_aes},
    {OP_AES_DUKPT_INTERMEDIATE_KEY, "AES DUKPT Intermediate Derivation Key",
     {KSN, HIDDEN_DASHES, BDK, HIDDEN_ARROW, {"Intermediate derivation key of the counter:", 115, "derivation-key"}},
     AES_DUKPT "Derivation key of a counter, one derivation per one-bit", aes_dukpt_intermediate_key_handler,
     OPF_CHECK_VALUE | OPF_IPEK_OPTION | OPF_AES_IK, nullptr, check_value_aes},
    {OP_AES_DUKPT_PIN_FORMAT4, "AES DUKPT PIN (format 4)",
     {PIN, KSN_TYPE_AES, BDK, PAN_4, {"Encrypted PIN block (format 4):", 118, "pin-block"}},
     AES_DUKPT "ISO 9564-1 format 4, AES PIN key, random fill (encryption)", aes_dukpt_pin_format4_handler,
     PIN_FLAGS | OPF_DIGITS(0), nullptr, check_value_aes},
    {OP_AES_DUKPT_PIN_FORMAT4, "AES DUKPT PIN (format 4) [rev]",
     {{"Encrypted PIN block (ISO 9564-1 format 4, 16 bytes):", 118, "pin-block", exactly(16), "encrypted-pin-block"}, KSN_TYPE_AES, BDK, PAN_4, OUT_PIN},
     AES_DUKPT "ISO 9564-1 format 4 PIN block, AES PIN key (decryption)", aes_dukpt_pin_format4_handler,
     PIN_FLAGS | OPF_REVERSE | OPF_DIGITS(4), nullptr, check_value_aes},
    {OP_AES_DUKPT_PIN_FORMAT0, "AES DUKPT Triple-DES PIN (format 0)",
     {PIN, KSN_TYPE_TDEA, BDK, PAN, {"Encrypted PIN block (format 0):", 118, "pin-block"}},
     AES_DUKPT "ISO 9564-1 format 0 PIN block, Triple-DES PIN key (encryption)",
     aes_dukpt_pin_format0_handler, PIN_FLAGS | OPF_DIGITS(0), nullptr, check_value_aes},
    {OP_AES_DUKPT_PIN_FORMAT0, "AES DUKPT Triple-DES PIN (format 0) [rev]",
     {{"Encrypted PIN block (ISO 9564-1 format 0, 8 bytes):", 118, "pin-block", exactly(8), "encrypted-pin-block"}, KSN_TYPE_TDEA, BDK, PAN, OUT_PIN},
     AES_DUKPT "ISO 9564-1 format 0 PIN block, Triple-DES PIN key (decryption)",
     aes_dukpt_pin_format0_handler, PIN_FLAGS | OPF_REVERSE | OPF_DIGITS(4), nullptr, check_value_aes},
    {OP_AES_DUKPT_MAC, "AES DUKPT MAC req", {MAC_DATA, KSN_TYPE_MAC, BDK, HIDDEN_ARROW, OUT_MAC},
     AES_DUKPT "Key usage 2000: MAC generation (request)", aes_dukpt_mac_request_handler,
     OPF_CHECK_VALUE | OPF_IPEK_OPTION | OPF_AES_IK, nullptr, check_value_aes},
    {OP_AES_DUKPT_MAC, "AES DUKPT MAC resp", {MAC_DATA, KSN_TYPE_MAC, BDK, HIDDEN_ARROW, OUT_MAC},
     AES_DUKPT "Key usage 2001: MAC verification (response)", aes_dukpt_mac_response_handler,
     OPF_CHECK_VALUE | OPF_IPEK_OPTION | OPF_AES_IK, nullptr, check_value_aes},
    {OP_AES_DUKPT_MAC, "AES DUKPT MAC both", {MAC_DATA, KSN_TYPE_MAC, BDK, HIDDEN_ARROW, OUT_MAC},
     AES_DUKPT "Key usage 2002: MAC, both ways", aes_dukpt_mac_both_handler, OPF_CHECK_VALUE | OPF_IPEK_OPTION | OPF_AES_IK, nullptr, check_value_aes},
    {OP_AES_DUKPT_DATA, "AES DUKPT Data req", {CLEAR, KSN_TYPE, BDK, IV, {"Encrypted data:", 118, "encrypted"}},
     AES_DUKPT "Key usage 3000: data encryption, request (encryption)", aes_dukpt_data_request_handler,
     OPF_ECB | OPF_CBC | OPF_CHECK_VALUE | OPF_IPEK_OPTION | OPF_AES_IK, nullptr, check_value_aes},
    {OP_AES_DUKPT_DATA, "AES DUKPT Data req [rev]", {ENCRYPTED, KSN_TYPE, BDK, IV, {"Clear data:", 117, "clear"}},
     AES_DUKPT "Key usage 3000: data encryption, request (decryption)", aes_dukpt_data_request_handler,
     OPF_ECB | OPF_CBC | OPF_REVERSE | OPF_CHECK_VALUE | OPF_IPEK_OPTION | OPF_AES_IK, nullptr, check_value_aes},
    {OP_AES_DUKPT_DATA, "AES DUKPT Data resp", {CLEAR, KSN_TYPE, BDK, IV, {"Encrypted data:", 118, "encrypted"}},
     AES_DUKPT "Key usage 3001: data decryption, response (encryption)", aes_dukpt_data_response_handler,
     OPF_ECB | OPF_CBC | OPF_CHECK_VALUE | OPF_IPEK_OPTION | OPF_AES_IK, nullptr, check_value_aes},
    {OP_AES_DUKPT_DATA, "AES DUKPT Data resp [rev]", {ENCRYPTED, KSN_TYPE, BDK, IV, {"Clear data:", 117, "clear"}},
     AES_DUKPT "Key usage 3001: data decryption, response (decryption)", aes_dukpt_data_response_handler,
     OPF_ECB | OPF_CBC | OPF_REVERSE | OPF_CHECK_VALUE | OPF_IPEK_OPTION | OPF_AES_IK, nullptr, check_value_aes},
    {OP_AES_DUKPT_DATA, "AES DUKPT Data both", {CLEAR, KSN_TYPE, BDK, IV, {"Encrypted data:", 118, "encrypted"}},
     AES_DUKPT "Key usage 3002: data, both ways (encryption)", aes_dukpt_data_both_handler,
     OPF_ECB | OPF_CBC | OPF_CHECK_VALUE | OPF_IPEK_OPTION | OPF_AES_IK, nullptr, check_value_aes},
    {OP_AES_DUKPT_DATA, "AES DUKPT Data both [rev]", {ENCRYPTED, KSN_TYPE, BDK, IV, {"Clear data:", 117, "clear"}},
     AES_DUKPT "Key usage 3002: data, both ways (decryption)", aes_dukpt_data_both_handler,
     OPF_ECB | OPF_CBC | OPF_REVERSE | OPF_CHECK_VALUE | OPF_IPEK_OPTION | OPF_AES_IK, nullptr, check_value_aes},
    {OP_AES_DUKPT_NEXT_KSN, "AES DUKPT Next KSN",
     {KSN, HIDDEN_EMPTY, HIDDEN_ARROW, HIDDEN_EMPTY, {"Next KSN:", 128, "next-ksn"}},
     AES_DUKPT "The device's next KSN (counters of 17+ one-bits skipped)", aes_dukpt_next_ksn_handler, 0},
}};

#undef AES_DUKPT

} // namespace aes_dukpt_rows

inline constexpr auto AES_DUKPT_ROWS = aes_dukpt_rows::ROWS;
