// rows.h: the drop-list rows of the PIN blocks (ISO 9564-1), CMAC and key check values; ids 30-39.
#pragma once

#include <array>

#include "core/catalogue.h"
#include "core/handlers.h"
#include "pin/handlers.h"

enum : std::int32_t {
    OP_PIN_FORMAT0 = 30, // the four clear block rows: the format is the id less OP_PIN_FORMAT0
    OP_PIN_FORMAT1 = 31,
    OP_PIN_FORMAT2 = 32,
    OP_PIN_FORMAT3 = 33,
    OP_PIN_BLOCK_READ = 34,
    OP_PIN_FORMAT4 = 35,        // encipher, and decipher with OPF_REVERSE
    OP_PIN_FORMAT4_FIELDS = 36,
    OP_CMAC_AES = 37,
    OP_CMAC_TDES = 38,
    OP_KEY_CHECK_VALUES = 39, // the DES / Triple-DES row and the AES row, each with its handler
};

namespace pin_rows {

constexpr FieldLook PIN = {"PIN (4 to 12 digits):", 137, "pin", between(4, 12)};
constexpr FieldLook PAN_0_3 = {"PAN - Primary Account Number (13 to 19 digits, check digit last):", 117, "pan", between(13, 19)};
constexpr FieldLook PAN_4 = {"PAN - Primary Account Number (1 to 19 digits):", 117, "pan", between(1, 19)};
constexpr FieldLook FILL_IN = {"Fill digits (14 less PIN length; empty: random):", 116, "fill", or_empty(between(1, 5)), "fill-digits", "random"};
constexpr FieldLook FILL_OUT = {"Fill digits used:", 116, "fill-used"};
constexpr FieldLook CLEAR_BLOCK_OUT = {"Clear PIN block (8 bytes):", 137, "pin-block"};
constexpr FieldLook AES_KEY = {"AES Key (16, 24 or 32 bytes):", 115, "key", one_of(16, 24, 32)};
constexpr FieldLook RANDOM_IN = {"Random (8 bytes - optional; empty: random):", 116, "random", or_empty(exactly(8)), nullptr, "random"};
constexpr FieldLook ENCIPHERED = {"Enciphered PIN block (16 bytes):", 118, "pin-block", exactly(16), "enciphered-pin-block"};
constexpr FieldLook PIN_FIELD_OUT = {"Plain-text PIN field (8 random bytes last):", 137, "pin-field"};
constexpr FieldLook PAN_FIELD_OUT = {"PAN field:", 117, "pan-field"};
constexpr FieldLook PIN_OUT = {"PIN:", 137, "pin"};
constexpr FieldLook MAC_LENGTH = {"MAC length in bytes (at least 4; empty: whole block):", 140, "mac-length", or_empty(between(1, 2)), "mac", "the whole block"};
constexpr FieldLook CMAC_OUT = {"CMAC - Cipher-based MAC:", 139, "cmac"};
constexpr FieldLook CMAC_DATA = {"Data to be authenticated (may be empty):", 123, "data", or_empty(any_size())};
constexpr FieldLook K1_OUT = {"CMAC subkey K1:", 121, "k1"};
constexpr FieldLook K2_OUT = {"CMAC subkey K2:", 121, "k2"};
constexpr FieldLook LEGACY_KCV_OUT = {"Legacy check value (zero block encrypted, 3 bytes):", 121, "legacy-kcv"};
constexpr FieldLook CMAC_KCV_OUT = {"CMAC check value (CMAC of a zero block, 5 bytes):", 121, "cmac-kcv"};

constexpr std::uint32_t DIGITS_01 = OPF_DIGITS(0) | OPF_DIGITS(1);

#define ISO_9564 "ISO 9564-1 - PIN management and security, "

} // namespace pin_rows

inline constexpr std::array<OperationRow, 14> PIN_ROWS{{
    separator("========================= PIN BLOCKS ==========================", 134),
    {OP_PIN_FORMAT0, "PIN Block ISO Format 0",
     {pin_rows::PIN, pin_rows::PAN_0_3, HIDDEN_ARROW, HIDDEN_EMPTY, pin_rows::CLEAR_BLOCK_OUT},
     ISO_9564 "format 0\r(PIN with fill F, xor 12 PAN digits; ANSI X9.8)", pin_block_build_handler,
     pin_rows::DIGITS_01},
    {OP_PIN_FORMAT1, "PIN Block ISO Format 1",
     {pin_rows::PIN, HIDDEN_DASHES, pin_rows::FILL_IN, pin_rows::FILL_OUT, pin_rows::CLEAR_BLOCK_OUT},
     ISO_9564 "format 1\r(PIN with transaction or random fill, no PAN)", pin_block_build_handler,
     OPF_DIGITS(0) | OPF_DIGITS(3) | TAIL_FIELD3},
    {OP_PIN_FORMAT2, "PIN Block ISO Format 2",
     {pin_rows::PIN, HIDDEN_DASHES, HIDDEN_ARROW, HIDDEN_EMPTY,
      pin_rows::CLEAR_BLOCK_OUT},
     ISO_9564 "format 2\r(PIN with fill F, for integrated circuit cards)", pin_block_build_handler, OPF_DIGITS(0)},
    {OP_PIN_FORMAT3, "PIN Block ISO Format 3",
     {pin_rows::PIN, pin_rows::PAN_0_3, pin_rows::FILL_IN, pin_rows::FILL_OUT, pin_rows::CLEAR_BLOCK_OUT},
     ISO_9564 "format 3\r(PIN with random fill A to F, xor 12 PAN digits)", pin_block_build_handler,
     pin_rows::DIGITS_01 | OPF_DIGITS(3) | TAIL_FIELD3},
    {OP_PIN_BLOCK_READ, "PIN Block ISO Format 0-3 [rev]",
     {{"Clear PIN block (8 bytes):", 137, "pin-block", exactly(8), "clear-pin-block"},
      {"PAN - Primary Account Number (formats 0 and 3):", 117, "pan", or_empty(between(13, 19))},
      {"Format expected ('0' to '3' - optional; empty: any):", 140, "format", or_empty(exactly(1)), "format-expected", "any"},
      pin_rows::FILL_OUT, pin_rows::PIN_OUT},
     ISO_9564 "formats 0 to 3\r(PIN from a clear block; the format from its control digit)", pin_block_read_handler,
     OPF_DIGITS(1) | OPF_DIGITS(2) | OPF_DIGITS(3) | OPF_DIGITS(4) | TAIL_FIELD3},
    {OP_PIN_FORMAT4, "PIN Block ISO Format 4 (AES)",
     {pin_rows::PIN, pin_rows::PAN_4, pin_rows::AES_KEY, pin_rows::RANDOM_IN, pin_rows::ENCIPHERED},
     ISO_9564 "format 4 (ISO 9564-1:2017)\r(encipher: AES of [AES of PIN field xor PAN field])",
     format4_encipher_handler, pin_rows::DIGITS_01 | OPF_CHECK_VALUE, nullptr, check_value_aes},
    {OP_PIN_FORMAT4, "PIN Block ISO Format 4 (AES) [rev]",
     {pin_rows::ENCIPHERED, pin_rows::PAN_4, pin_rows::AES_KEY, pin_rows::PIN_FIELD_OUT, pin_rows::PIN_OUT},
     ISO_9564 "format 4 (ISO 9564-1:2017)\r(decipher: the PIN back from the enciphered block)",
     format4_encipher_handler, OPF_DIGITS(1) | OPF_DIGITS(4) | OPF_REVERSE | OPF_CHECK_VALUE | TAIL_FIELD3, nullptr,
     check_value_aes},
    {OP_PIN_FORMAT4_FIELDS, "PIN Block ISO Format 4 fields",
     {pin_rows::PIN, pin_rows::PAN_4, pin_rows::RANDOM_IN, pin_rows::PAN_FIELD_OUT, pin_rows::PIN_FIELD_OUT},
     ISO_9564 "format 4 (ISO 9564-1:2017)\r(the plain-text PIN field and the PAN field, before enciphering)",
     format4_fields_handler, pin_rows::DIGITS_01 | TAIL_FIELD3},

    separator("==================== MAC AND CHECK VALUES =====================", 132),
    {OP_CMAC_AES, "CMAC (AES)",
     {pin_rows::AES_KEY, pin_rows::CMAC_DATA, pin_rows::MAC_LENGTH, HIDDEN_ARROW,
      pin_rows::CMAC_OUT},
     "NIST SP 800-38B - CMAC with AES\r(RFC 4493 AES-CMAC for 16-byte keys)", cmac_handler, OPF_DIGITS(2)},
    {OP_CMAC_TDES, "CMAC (Triple-DES)",
     {{"Triple-DES Key (16 or 24 bytes):", 115, "key", one_of(16, 24)}, pin_rows::CMAC_DATA, pin_rows::MAC_LENGTH,
      HIDDEN_ARROW, pin_rows::CMAC_OUT},
     "NIST SP 800-38B - CMAC with Triple-DES\r(TDEA, keying options 1 and 2)", cmac_handler, OPF_DIGITS(2)},
    {OP_KEY_CHECK_VALUES, "Key Check Values (DES / Triple-DES)",
     {{"DES / Triple-DES Key (8, 16 or 24 bytes):", 115, "key", one_of(8, 16, 24)}, pin_rows::K1_OUT, pin_rows::K2_OUT,
      pin_rows::LEGACY_KCV_OUT, pin_rows::CMAC_KCV_OUT},
     "Key check values - ANSI X9.24-1-2017 Annex A\r(legacy and CMAC-based, with the CMAC subkeys)",
     check_values_des_handler, TAIL_FIELD1},
    {OP_KEY_CHECK_VALUES, "Key Check Values (AES)",
     {pin_rows::AES_KEY, pin_rows::K1_OUT, pin_rows::K2_OUT, pin_rows::LEGACY_KCV_OUT, pin_rows::CMAC_KCV_OUT},
     "Key check values - ANSI X9.24-1-2017 Annex A\r(legacy and CMAC-based, with the CMAC subkeys)",
     check_values_aes_handler, TAIL_FIELD1},
}};

#undef ISO_9564
