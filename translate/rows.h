// rows.h: the drop-list rows of PIN translation (zone to zone, and from TDES or AES DUKPT); ids 90-94.
#pragma once

#include <array>

#include "core/catalogue.h"
#include "translate/handlers.h"

enum : std::int32_t {
    OP_PIN_TRANSLATE = 90,
    OP_PIN_TRANSLATE_DUKPT = 91, // TDES and AES DUKPT, told apart by their record
};

// Which DUKPT enciphered the terminal's block.
struct DukptTranslateRow {
    bool aes;
};

namespace translate_rows {

inline constexpr DukptTranslateRow TDES_DUKPT = {false};
inline constexpr DukptTranslateRow AES_DUKPT = {true};

constexpr FieldPart PIN_BLOCK = {"pin-block", "Encrypted PIN block (8 bytes; 16 for format 4)", FieldKind::Hex,
                                 one_of(8, 16), "Invalid PIN block length!", nullptr};
constexpr FieldPart PAN = {"pan", "PAN (formats 0 and 3: 13 to 19 digits; 4: 1 to 19; 1: none)", FieldKind::Digits,
                           or_empty(between(1, 19)), "Invalid PAN length!", nullptr};
constexpr FieldPart KEY_OUT = {"key-out", "Key out (Triple-DES 16 or 24 bytes; AES 16, 24 or 32)", FieldKind::Hex,
                               one_of(16, 24, 32), "Invalid key length!", nullptr};
constexpr FieldPart FILL = {"fill", "Fill digits (formats 1, 3) or random (format 4, 8 bytes); empty: random",
                            FieldKind::Text, or_empty(between(1, 16)), "Invalid fill length!", nullptr};

inline constexpr FieldPart ZONE_IN_PARTS[] = {
    PIN_BLOCK,
    {"key-in", "Key in (Triple-DES 16 or 24 bytes; AES 16, 24 or 32)", FieldKind::Hex, one_of(16, 24, 32),
     "Invalid key length!", nullptr},
    {"format-in", "Format in (0, 1, 3 or 4)", FieldKind::Digits, exactly(1), "Invalid format!", nullptr},
    PAN,
};
inline constexpr FieldPart ZONE_OUT_PARTS[] = {
    KEY_OUT,
    {"format-out", "Format out (0, 1, 3 or 4)", FieldKind::Digits, exactly(1), "Invalid format!", nullptr},
    FILL,
};
inline constexpr FieldPart TDES_DUKPT_IN_PARTS[] = {
    PIN_BLOCK,
    {"ksn", "KSN - Key Serial Number (10 bytes)", FieldKind::Hex, exactly(10), "Invalid KSN length!", nullptr},
    PAN,
};
inline constexpr FieldPart AES_DUKPT_IN_PARTS[] = {
    PIN_BLOCK,
    {"ksn", "KSN (12 bytes), + PIN key type (0002/3/4 AES-128/192/256 - optional)", FieldKind::Hex, one_of(12, 14),
     "Invalid KSN length!", nullptr},
    PAN,
};
inline constexpr FieldPart TDES_DUKPT_OUT_PARTS[] = {
    KEY_OUT,
    {"format-out", "Format out (0, 1, 3 or 4; empty: 0)", FieldKind::Digits, exactly(1), "Invalid format!", "0"},
    FILL,
};
inline constexpr FieldPart AES_DUKPT_OUT_PARTS[] = {
    KEY_OUT,
    {"format-out", "Format out (0, 1, 3 or 4; empty: 4)", FieldKind::Digits, exactly(1), "Invalid format!", "4"},
    FILL,
};

constexpr FieldLook ZONE_IN = {"PIN block / key in / format in (0, 1, 3 TDES; 4 AES) / PAN:", 118, "from",
                               any_size(), nullptr, nullptr, 0, ZONE_IN_PARTS};
constexpr FieldLook ZONE_OUT = {"Key out / format out (0, 1, 3 or 4) / fill or random (optional):", 131, "to",
                                any_size(), nullptr, nullptr, 0, ZONE_OUT_PARTS};
constexpr FieldLook TDES_DUKPT_IN = {"PIN block (8 bytes) / KSN (10 bytes) / PAN:", 118, "from", any_size(),
                                     nullptr, nullptr, 0, TDES_DUKPT_IN_PARTS};
constexpr FieldLook AES_DUKPT_IN = {"PIN block (format 4) / KSN (12 bytes, + key type) / PAN:", 118, "from",
                                    any_size(), nullptr, nullptr, 0, AES_DUKPT_IN_PARTS};
constexpr FieldLook TDES_DUKPT_OUT = {"Key out / format out (empty: 0) / fill or random (optional):", 131, "to",
                                      any_size(), nullptr, nullptr, 0, TDES_DUKPT_OUT_PARTS};
constexpr FieldLook AES_DUKPT_OUT = {"Key out / format out (empty: 4) / fill or random (optional):", 131, "to",
                                     any_size(), nullptr, nullptr, 0, AES_DUKPT_OUT_PARTS};
constexpr FieldLook CLEAR_IN = {"Clear PIN block in (format 4: PIN field):", 137, "clear-pin-block-in"};
constexpr FieldLook CLEAR_OUT = {"Clear PIN block out (format 4: plain-text PIN field):", 137, "clear-pin-block-out"};
constexpr FieldLook TRANSLATED = {"Translated PIN block:", 118, "translated-pin-block"};
constexpr FieldLook TDES_BDK = {"BDK - Base Derivation Key (16 bytes):", 129, "bdk", exactly(16), "ipek"};
constexpr FieldLook AES_BDK = {"AES BDK - Base Derivation Key (16, 24 or 32 bytes):", 129, "bdk", one_of(16, 24, 32),
                               "ik"};
constexpr FieldLook PIN_KEY = {"Derived PIN key:", 131, "pin-key"};

constexpr std::uint32_t DUKPT_FLAGS = OPF_TEXT(0) | OPF_TEXT(1) | OPF_IPEK_OPTION | TAIL_FIELD3;

inline constexpr std::array<OperationRow, 4> ROWS{{
    separator("======================= PIN TRANSLATION =======================", 134),
    {OP_PIN_TRANSLATE, "PIN Translate (zone to zone)", {ZONE_IN, ZONE_OUT, CLEAR_IN, CLEAR_OUT, TRANSLATED},
     "PIN translation - ISO 9564-1 formats 0, 1, 3 (Triple-DES) and 4 (AES)\r(deciphered under the key in, "
     "enciphered under the key out)",
     pin_translate_zone_handler, OPF_TEXT(0) | OPF_TEXT(1) | TAIL_FIELD2},
    {OP_PIN_TRANSLATE_DUKPT, "PIN Translate from DUKPT (Triple-DES)",
     {TDES_DUKPT_IN, TDES_DUKPT_OUT, TDES_BDK, PIN_KEY, TRANSLATED},
     "PIN translation from DUKPT - ANSI X9.24-1-2009, PIN variant key\r(to a zone key: formats 0, 1, 3 "
     "Triple-DES or 4 AES)",
     pin_translate_dukpt_handler, DUKPT_FLAGS, &TDES_DUKPT},
    {OP_PIN_TRANSLATE_DUKPT, "PIN Translate from AES DUKPT",
     {AES_DUKPT_IN, AES_DUKPT_OUT, AES_BDK, PIN_KEY, TRANSLATED},
     "PIN translation from AES DUKPT - ANSI X9.24-3-2017 PIN working key\r(format 4 block to a zone key: formats "
     "0, 1, 3 or 4)",
     pin_translate_dukpt_handler, DUKPT_FLAGS | OPF_AES_IK, &AES_DUKPT},
}};

} // namespace translate_rows

inline constexpr auto PIN_TRANSLATE_ROWS = translate_rows::ROWS;
