// rows.h: the drop-list rows of the ISO/IEC 9797-1 MAC algorithms 1 and 3 and of HMAC; ids 100-104.
#pragma once

#include <array>
#include <string_view>

#include "core/catalogue.h"
#include "digest/hash_functions.h"
#include "mac/handlers.h"

enum : std::int32_t {
    OP_ISO9797_MAC = 100, // algorithm 1 (DES / Triple-DES, AES) and algorithm 3, told apart by their record
    OP_HMAC = 101,        // one row a hash, the hash in the row's record
};

inline constexpr std::string_view MSG_INVALID_PADDING_METHOD = "Invalid padding method!";

// What an ISO/IEC 9797-1 row computes: algorithm 1 under DES / Triple-DES (by key length) or AES, or
// algorithm 3 (DES, the last step Triple-DES).
struct Iso9797Row {
    bool aes;
    bool retail;
};

namespace mac_rows {

inline constexpr Iso9797Row DES_ALGORITHM1 = {false, false};
inline constexpr Iso9797Row AES_ALGORITHM1 = {true, false};
inline constexpr Iso9797Row RETAIL = {false, true};

inline constexpr FieldPart OPTIONS_PARTS[] = {
    {"method", "Padding method (1, 2 or 3)", FieldKind::Digits, exactly(1), "Invalid padding method!", nullptr},
    {"mac-length", "MAC length in bytes (4 up to the block; empty: the whole block)", FieldKind::Digits,
     or_empty(between(1, 2)), "Invalid MAC length!", nullptr},
};

constexpr FieldLook DATA = {"Data to be authenticated (may be empty):", 123, "data", or_empty(any_size())};
constexpr FieldLook OPTIONS = {"Padding method (1, 2 or 3) / MAC length (4 to a block):",
                               140, "mac-options", any_size(), nullptr, nullptr, 0, OPTIONS_PARTS};
constexpr FieldLook PADDED_OUT = {"Padded data:", 121, "padded-data", {}, nullptr, nullptr, 1056};
constexpr FieldLook MAC_OUT = {"MAC:", 139, "mac"};
constexpr FieldLook HMAC_KEY = {"Key (any length; longer than a hash block: hashed first):", 115, "key", any_size()};
constexpr FieldLook HMAC_LENGTH = {"MAC length in bytes (at least 4; empty: whole HMAC):", 140,
                                   "mac-length", or_empty(between(1, 2)), "length", "the whole HMAC"};
constexpr FieldLook HMAC_OUT = {"HMAC:", 139, "hmac"};

constexpr std::uint32_t ISO9797_FLAGS = OPF_TEXT(2) | TAIL_FIELD3;

#define ISO_9797 "ISO/IEC 9797-1 - MACs using a block cipher, "
#define HMAC_HELP(hash) "HMAC - RFC 2104, FIPS 198-1, over " hash " (FIPS 180-4)\r(truncated to 4 bytes up to the whole digest)"

inline constexpr std::array<OperationRow, 9> ROWS{{
    separator("================= ISO/IEC 9797-1 MAC AND HMAC =================", 132),
    {OP_ISO9797_MAC, "ISO 9797-1 MAC Algorithm 1 (DES / Triple-DES)",
     {{"DES / Triple-DES Key (8, 16 or 24 bytes):", 115, "key", one_of(8, 16, 24)}, DATA, OPTIONS, PADDED_OUT, MAC_OUT},
     ISO_9797 "MAC algorithm 1\r(CBC-MAC: DES for 8-byte keys, Triple-DES for 16 or 24; padding 1, 2 or 3)",
     iso9797_mac_handler, ISO9797_FLAGS, &DES_ALGORITHM1},
    {OP_ISO9797_MAC, "ISO 9797-1 MAC Algorithm 1 (AES)",
     {{"AES Key (16, 24 or 32 bytes):", 115, "key", one_of(16, 24, 32)}, DATA, OPTIONS, PADDED_OUT, MAC_OUT},
     ISO_9797 "MAC algorithm 1\r(CBC-MAC under AES; padding 1, 2 or 3)", iso9797_mac_handler, ISO9797_FLAGS,
     &AES_ALGORITHM1},
    {OP_ISO9797_MAC, "ISO 9797-1 MAC Algorithm 3 (Retail MAC, X9.19)",
     {{"Key K / K' (two DES keys, 16 bytes):", 115, "key", exactly(16)}, DATA, OPTIONS, PADDED_OUT, MAC_OUT},
     ISO_9797 "MAC algorithm 3 (ANSI X9.19 retail MAC)\r(DES CBC under K, the last block Triple-DES under K / K')",
     iso9797_mac_handler, ISO9797_FLAGS, &RETAIL},
    {OP_HMAC, "HMAC-SHA-1", {HMAC_KEY, DATA, HMAC_LENGTH, HIDDEN_ARROW, HMAC_OUT}, HMAC_HELP("SHA-1"), hmac_handler,
     OPF_DIGITS(2), &SHA1_HASH},
    {OP_HMAC, "HMAC-SHA-224", {HMAC_KEY, DATA, HMAC_LENGTH, HIDDEN_ARROW, HMAC_OUT}, HMAC_HELP("SHA-224"),
     hmac_handler, OPF_DIGITS(2), &SHA224_HASH},
    {OP_HMAC, "HMAC-SHA-256", {HMAC_KEY, DATA, HMAC_LENGTH, HIDDEN_ARROW, HMAC_OUT}, HMAC_HELP("SHA-256"),
     hmac_handler, OPF_DIGITS(2), &SHA256_HASH},
    {OP_HMAC, "HMAC-SHA-384", {HMAC_KEY, DATA, HMAC_LENGTH, HIDDEN_ARROW, HMAC_OUT}, HMAC_HELP("SHA-384"),
     hmac_handler, OPF_DIGITS(2), &SHA384_HASH},
    {OP_HMAC, "HMAC-SHA-512", {HMAC_KEY, DATA, HMAC_LENGTH, HIDDEN_ARROW, HMAC_OUT}, HMAC_HELP("SHA-512"),
     hmac_handler, OPF_DIGITS(2), &SHA512_HASH},
}};

#undef ISO_9797
#undef HMAC_HELP

} // namespace mac_rows

inline constexpr auto MAC_ROWS = mac_rows::ROWS;
