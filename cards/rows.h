// rows.h: the drop-list rows of the card and PIN verification values; ids 80-89 and 110-119. Inputs
// beyond four are named parts of a text field ("4123456789012345/8701/101"); verify rows show a verdict.
#pragma once

#include <array>

#include "cards/handlers.h"
#include "core/catalogue.h"

enum : std::int32_t {
    OP_CARD_CVV = 80,
    OP_CARD_CVV_VERIFY = 81,
    OP_CARD_PVV = 82,
    OP_CARD_PVV_VERIFY = 83,
    OP_CARD_IBM3624_NATURAL = 84,
    OP_CARD_IBM3624_OFFSET = 85,
    OP_CARD_IBM3624_PIN = 86,
    OP_CARD_IBM3624_VERIFY = 87,
    OP_CARD_CVC3 = 88,
    OP_CARD_CVC3_VERIFY = 89,
    OP_CARD_DCVV = 110,
    OP_CARD_DCVV_VERIFY = 111,
    OP_CARD_LUHN = 112,
    OP_CARD_LUHN_VERIFY = 113,
    OP_CARD_DECIMALISE = 114,
};

namespace card_rows {

#define PAN_PART {"pan", "PAN (12 to 19 digits)", FieldKind::Text, between(12, 19), "Invalid PAN length!", nullptr}
#define EXPIRY_PART {"expiry", "expiry date (4 digits, YYMM as a rule)", FieldKind::Digits, exactly(4), "Invalid expiry date!", nullptr}
#define SERVICE_PART {"service-code", "service code (3 digits)", FieldKind::Digits, exactly(3), "Invalid service code!", nullptr}
#define ATC_PART {"atc", "ATC (2 bytes)", FieldKind::Hex, exactly(2), "Invalid ATC length!", nullptr}
#define KEY_PART {"key", "IMK, or the ICC master key alone (16 bytes)", FieldKind::Hex, exactly(16), "Invalid key length!", nullptr}
#define VALIDATION_PARTS                                                                                               \
    {"pan", "PAN the validation data is taken from (12 to 19 digits)", FieldKind::Text, or_empty(between(12, 19)),     \
     "Invalid PAN length!", ""},                                                                                       \
        {"vd-start", "PAN digits skipped (0 to 18)", FieldKind::Digits, between(1, 2), "Invalid validation data start!", "0"}, \
        {"vd-length", "PAN digits taken (1 to 16)", FieldKind::Digits, between(1, 2), "Invalid validation data length!", "16"}, \
        {"pad", "pad character (one hexadecimal digit)", FieldKind::Text, exactly(1), "Invalid pad character!", "F"}, \
        {"validation-data", "validation data typed instead (1 to 16 hexadecimal digits)", FieldKind::Text,             \
         or_empty(between(1, 16)), "Invalid validation data length!", ""}

inline constexpr FieldPart CVV_PARTS[] = {PAN_PART, EXPIRY_PART, SERVICE_PART,
                                          {"cvv-length", "CVV length (3 to 5 digits)", FieldKind::Digits, exactly(1), "Invalid CVV length!", "3"}};
inline constexpr FieldPart CVV_CHECK_PARTS[] = {PAN_PART, EXPIRY_PART, SERVICE_PART};
inline constexpr FieldPart PVV_PARTS[] = {
    PAN_PART,
    {"pvki", "PVKI (one digit)", FieldKind::Digits, exactly(1), "Invalid PVKI!", nullptr},
    {"pin", "PIN (4 to 12 digits)", FieldKind::Digits, between(4, 12), "Invalid PIN length!", nullptr}};
inline constexpr FieldPart KEY_TABLE_PARTS[] = {
    {"pvk", "PIN verification key (8 or 16 bytes)", FieldKind::Hex, one_of(8, 16), "Invalid key length!", nullptr},
    {"dec-table", "decimalisation table (16 digits)", FieldKind::Digits, exactly(16), "Invalid decimalisation table!",
     "0123456789012345"}};
inline constexpr FieldPart VALIDATION_DATA_PARTS[] = {VALIDATION_PARTS};
inline constexpr FieldPart NATURAL_PIN_PARTS[] = {
    VALIDATION_PARTS, {"pin-length", "PIN length (4 to 12)", FieldKind::Digits, between(1, 2), "Invalid PIN length!", "4"}};
inline constexpr FieldPart OFFSET_PARTS[] = {
    {"pin", "customer PIN (4 to 12 digits)", FieldKind::Digits, between(4, 12), "Invalid PIN length!", nullptr},
    {"check-length", "check length (offset digits kept)", FieldKind::Digits, or_empty(between(1, 2)),
     "Invalid check length!", ""}};
inline constexpr FieldPart PIN_FROM_OFFSET_PARTS[] = {
    {"offset", "offset (1 to 12 digits)", FieldKind::Digits, between(1, 12), "Invalid offset length!", nullptr},
    {"pin-length", "PIN length (the offset's unless given)", FieldKind::Digits, or_empty(between(1, 2)),
     "Invalid PIN length!", ""}};
inline constexpr FieldPart PIN_AND_OFFSET_PARTS[] = {
    {"pin", "customer PIN (4 to 12 digits)", FieldKind::Digits, between(4, 12), "Invalid PIN length!", nullptr},
    {"offset", "offset (1 to 12 digits, at most the PIN's)", FieldKind::Digits, between(1, 12), "Invalid offset length!",
     nullptr}};
inline constexpr FieldPart CVC3_KEY_PARTS[] = {
    KEY_PART,
    {"pan", "PAN (12 to 19 digits; given: the key is the IMK)", FieldKind::Text, or_empty(between(12, 19)),
     "Invalid PAN length!", ""},
    {"psn", "PAN sequence number (2 digits)", FieldKind::Digits, exactly(2), "Invalid PAN sequence number!", "00"}};
#define CVC3_DATA_PARTS                                                                                                \
    {"track", "track data (or IVCVC3 alone, 2 bytes)", FieldKind::Hex, between(2, 256), "Invalid track data length!", nullptr}, \
        {"un", "UN (4 bytes)", FieldKind::Hex, exactly(4), "Invalid UN length!", nullptr}, ATC_PART
inline constexpr FieldPart CVC3_PARTS[] = {
    CVC3_DATA_PARTS, {"cvc3-length", "CVC3 length (3 to 5 digits)", FieldKind::Digits, exactly(1), "Invalid CVC3 length!", "5"}};
inline constexpr FieldPart CVC3_CHECK_PARTS[] = {
    CVC3_DATA_PARTS, {"cvc3", "CVC3 (3 to 5 digits)", FieldKind::Digits, between(3, 5), "Invalid CVC3 length!", nullptr}};
inline constexpr FieldPart DCVV_KEY_PARTS[] = {
    KEY_PART,
    {"psn", "PAN sequence number (2 digits; given: the key is the IMK)", FieldKind::Digits, or_empty(exactly(2)),
     "Invalid PAN sequence number!", ""}};
inline constexpr FieldPart DCVV_PARTS[] = {PAN_PART, EXPIRY_PART, SERVICE_PART, ATC_PART};
inline constexpr FieldPart DCVV_CHECK_PARTS[] = {
    PAN_PART, EXPIRY_PART, SERVICE_PART, ATC_PART,
    {"dcvv", "dCVV (3 digits)", FieldKind::Digits, exactly(3), "Invalid dCVV length!", nullptr}};

#undef PAN_PART
#undef EXPIRY_PART
#undef SERVICE_PART
#undef ATC_PART
#undef KEY_PART
#undef VALIDATION_PARTS
#undef CVC3_DATA_PARTS

constexpr FieldLook CVK = {"CVK A || CVK B (16 bytes):", 115, "cvk", exactly(16), "key"};
constexpr FieldLook PVK = {"PVK - PIN Verification Key (16 bytes):", 115, "pvk", exactly(16), "key"};
constexpr FieldLook CARD_DATA = {"PAN / expiry / service code (CVV2: 000, iCVV: 999) / CVV length:", 117,
                                 "card-data", {}, nullptr, nullptr, 0, CVV_PARTS};
constexpr FieldLook CARD_DATA_CHECK = {"PAN / expiry / service code (CVV2: 000, iCVV: 999):", 117,
                                       "card-data", {}, nullptr, nullptr, 0, CVV_CHECK_PARTS};
constexpr FieldLook PVV_DATA = {"PAN / PVKI / PIN:", 137, "pin-data", {}, nullptr, nullptr, 0, PVV_PARTS};
constexpr FieldLook KEY_TABLE = {"PVK (8 or 16 bytes) / dec. table (empty: 0123456789012345):", 115,
                                 "key-table", {}, nullptr, nullptr, 0, KEY_TABLE_PARTS};
constexpr FieldLook VALIDATION_DATA = {"PAN / digits skipped / taken (16) / pad (F) / or validation data:", 117,
                                       "validation", {}, nullptr, nullptr, 0, VALIDATION_DATA_PARTS};
constexpr FieldLook VALIDATION_AND_LENGTH = {"PAN / skipped / taken (16) / pad (F) / or data / PIN length (4):", 117,
                                             "validation", {}, nullptr, nullptr, 0, NATURAL_PIN_PARTS};
constexpr FieldLook CVC3_KEY = {"IMK / PAN / PSN, or the ICC master key alone (16 bytes):", 130, "key-data", {}, nullptr,
                                nullptr, 0, CVC3_KEY_PARTS};
constexpr FieldLook DCVV_KEY = {"IMK / PSN, or the ICC master key alone (16 bytes):", 130, "key-data", {}, nullptr,
                                nullptr, 0, DCVV_KEY_PARTS};
constexpr FieldLook OUT_ICC_KEY = {"ICC master key used / check value:", 130, "icc-mk"};
constexpr FieldLook OUT_ENCIPHERED = {"Block enciphered:", 118, "enciphered"};
constexpr FieldLook OUT_NATURAL_PIN = {"Natural PIN:", 137, "natural-pin"};
constexpr FieldLook OUT_VERDICT = {"Verdict:", 121, "result"};

#define CVV_HELP "CVV method (Visa CVV, CVV2, iCVV; Mastercard CVC1, CVC2)\rCVV2: service code 000, iCVV: 999; "
#define PVV_HELP "Visa PIN Verification Value (PVV)\rTSP: 11 PAN digits before the check digit, PVKI, 4 PIN digits"
#define IBM_HELP "IBM 3624 PIN method (natural PIN and offset)\r"
#define CVC3_HELP "Mastercard CVC3 (PayPass magnetic stripe)\rIVCVC3: MAC algorithm 3 of track; "
#define DCVV_HELP "Visa dCVV (contactless magnetic stripe)\rCVV method under the ICC key, ATC in the PAN's first 4 digits"
#define LUHN_HELP "Luhn check digit - ISO/IEC 7812-1 Annex B\r"

constexpr std::uint32_t TEXT_0_2 = OPF_TEXT(0) | OPF_TEXT(1) | OPF_TEXT(2);
constexpr std::uint32_t TEXT_0_3 = TEXT_0_2 | OPF_TEXT(3);

} // namespace card_rows

inline constexpr std::array<OperationRow, 16> CARD_ROWS{{
    separator("================= CARD AND PIN VERIFICATION ===================", 134),
    {OP_CARD_CVV, "CVV / CVV2 / iCVV",
     {card_rows::CVK, card_rows::CARD_DATA, card_rows::OUT_ENCIPHERED, {"Decimalised (digits, then A-F less 10):", 121, "decimalised"},
      {"CVV:", 139, "cvv"}},
     CVV_HELP "3 to 5 digits", cvv_handler, OPF_TEXT(1) | OPF_DIGITS(3) | OPF_DIGITS(4) | TAIL_FIELD2},
    {OP_CARD_CVV_VERIFY, "CVV / CVV2 / iCVV verify",
     {card_rows::CVK, card_rows::CARD_DATA_CHECK, {"CVV (3 to 5 digits):", 139, "cvv", between(3, 5)},
      card_rows::OUT_ENCIPHERED, card_rows::OUT_VERDICT},
     CVV_HELP "compared on the CVV's length", cvv_verify_handler,
     OPF_TEXT(1) | OPF_DIGITS(2) | OPF_TEXT(4) | TAIL_FIELD3},
    {OP_CARD_PVV, "Visa PVV",
     {card_rows::PVK, card_rows::PVV_DATA, {"TSP - Transformed Security Parameter:", 117, "tsp"}, card_rows::OUT_ENCIPHERED,
      {"PVV:", 137, "pvv"}},
     PVV_HELP, pvv_handler, OPF_TEXT(1) | OPF_DIGITS(2) | OPF_DIGITS(4) | TAIL_FIELD2},
    {OP_CARD_PVV_VERIFY, "Visa PVV verify",
     {card_rows::PVK, card_rows::PVV_DATA, {"PVV (4 digits):", 137, "pvv", exactly(4)},
      {"TSP - Transformed Security Parameter:", 117, "tsp"}, card_rows::OUT_VERDICT},
     PVV_HELP, pvv_verify_handler, OPF_TEXT(1) | OPF_DIGITS(2) | OPF_DIGITS(3) | OPF_TEXT(4) | TAIL_FIELD3},
    {OP_CARD_IBM3624_NATURAL, "IBM 3624 natural PIN",
     {card_rows::KEY_TABLE, card_rows::VALIDATION_AND_LENGTH, {"Validation data block:", 117, "validation-block"},
      card_rows::OUT_ENCIPHERED, card_rows::OUT_NATURAL_PIN},
     IBM_HELP "validation data padded, enciphered, decimalised by the table", ibm3624_natural_pin_handler,
     OPF_TEXT(0) | OPF_TEXT(1) | OPF_DIGITS(4) | TAIL_FIELD2},
    {OP_CARD_IBM3624_OFFSET, "IBM 3624 PIN offset",
     {card_rows::KEY_TABLE, card_rows::VALIDATION_DATA,
      {"Customer PIN / check length (empty: the PIN's):", 137, "pin-check", {}, nullptr, nullptr, 0, card_rows::OFFSET_PARTS},
      card_rows::OUT_NATURAL_PIN, {"Offset:", 138, "offset"}},
     IBM_HELP "offset: customer PIN less natural PIN, digit by digit, mod 10", ibm3624_offset_handler,
     card_rows::TEXT_0_2 | OPF_DIGITS(3) | OPF_DIGITS(4) | TAIL_FIELD3},
    {OP_CARD_IBM3624_PIN, "IBM 3624 PIN from offset",
     {card_rows::KEY_TABLE, card_rows::VALIDATION_DATA,
      {"Offset / PIN length (empty: the offset's):", 138, "offset-length", {}, nullptr, nullptr, 0,
       card_rows::PIN_FROM_OFFSET_PARTS},
      card_rows::OUT_NATURAL_PIN, {"Customer PIN:", 137, "pin"}},
     IBM_HELP "PIN: natural PIN plus offset, digit by digit, mod 10", ibm3624_pin_handler,
     card_rows::TEXT_0_2 | OPF_DIGITS(3) | OPF_DIGITS(4) | TAIL_FIELD3},
    {OP_CARD_IBM3624_VERIFY, "IBM 3624 PIN verify",
     {card_rows::KEY_TABLE, card_rows::VALIDATION_DATA,
      {"Customer PIN / offset (its length the check length):", 137, "pin-offset", {}, nullptr, nullptr, 0,
       card_rows::PIN_AND_OFFSET_PARTS},
      card_rows::OUT_NATURAL_PIN, card_rows::OUT_VERDICT},
     IBM_HELP "the PIN's offset compared with the one given", ibm3624_verify_handler,
     card_rows::TEXT_0_2 | OPF_DIGITS(3) | OPF_TEXT(4) | TAIL_FIELD3},
    {OP_CARD_CVC3, "Mastercard CVC3",
     {card_rows::CVC3_KEY, {"Track data (or IVCVC3) / UN / ATC / CVC3 length (empty: 5):", 123, "cvc3-data", {}, nullptr,
                            nullptr, 0, card_rows::CVC3_PARTS},
      card_rows::OUT_ICC_KEY, {"IVCVC3 / CVC3 (5 digits):", 121, "ivcvc3"}, {"CVC3:", 139, "cvc3"}},
     CVC3_HELP "CVC3: TDES of IVCVC3, UN, ATC", cvc3_handler, card_rows::TEXT_0_3 | OPF_DIGITS(4) | TAIL_FIELD2},
    {OP_CARD_CVC3_VERIFY, "Mastercard CVC3 verify",
     {card_rows::CVC3_KEY, {"Track data (or IVCVC3) / UN / ATC / CVC3 (3 to 5 digits):", 123, "cvc3-data", {}, nullptr,
                            nullptr, 0, card_rows::CVC3_CHECK_PARTS},
      card_rows::OUT_ICC_KEY, {"IVCVC3 / CVC3 (5 digits):", 121, "ivcvc3"}, card_rows::OUT_VERDICT},
     CVC3_HELP "rightmost digits compared", cvc3_verify_handler, card_rows::TEXT_0_3 | OPF_TEXT(4) | TAIL_FIELD2},
    {OP_CARD_DCVV, "Visa dCVV",
     {card_rows::DCVV_KEY, {"PAN / expiry / service code / ATC:", 117, "card-data", {}, nullptr, nullptr, 0, card_rows::DCVV_PARTS},
      card_rows::OUT_ICC_KEY, card_rows::OUT_ENCIPHERED, {"dCVV:", 139, "dcvv"}},
     DCVV_HELP, dcvv_handler, OPF_TEXT(0) | OPF_TEXT(1) | OPF_TEXT(2) | OPF_DIGITS(4) | TAIL_FIELD2},
    {OP_CARD_DCVV_VERIFY, "Visa dCVV verify",
     {card_rows::DCVV_KEY,
      {"PAN / expiry / service code / ATC / dCVV:", 117, "card-data", {}, nullptr, nullptr, 0, card_rows::DCVV_CHECK_PARTS},
      card_rows::OUT_ICC_KEY, card_rows::OUT_ENCIPHERED, card_rows::OUT_VERDICT},
     DCVV_HELP, dcvv_verify_handler, OPF_TEXT(0) | OPF_TEXT(1) | OPF_TEXT(2) | OPF_TEXT(4) | TAIL_FIELD2},
    {OP_CARD_LUHN, "Luhn check digit",
     {{"Number without its check digit (1 to 18 digits):", 117, "number", between(1, 18)}, HIDDEN_ARROW,
      {"Number with its check digit:", 117, "full-number"}, {"Digit sum (check digit 0):", 140, "digit-sum"},
      {"Check digit:", 121, "check-digit"}},
     LUHN_HELP "from the right, every second digit doubled; sum a multiple of 10", luhn_handler,
     OPF_DIGITS(0) | OPF_DIGITS(2) | OPF_DIGITS(3) | OPF_DIGITS(4) | TAIL_FIELD2},
    {OP_CARD_LUHN_VERIFY, "Luhn validate",
     {{"Number with its check digit (2 to 19 digits):", 117, "number", between(2, 19)}, HIDDEN_ARROW,
      HIDDEN_DASHES, {"Digit sum:", 140, "digit-sum"}, card_rows::OUT_VERDICT},
     LUHN_HELP "valid when the digit sum is a multiple of 10", luhn_verify_handler,
     OPF_DIGITS(0) | OPF_DIGITS(3) | OPF_TEXT(4) | TAIL_FIELD3},
    {OP_CARD_DECIMALISE, "Decimalisation",
     {{"Hexadecimal digits (1 to 32 bytes):", 118, "block", between(1, 32)},
      {"Decimalisation table (16 digits; empty: the CVV scan):", 140, "dec-table", or_empty(exactly(16)), nullptr, "scan"},
      {"Digits kept (empty: all):", 140, "digits", or_empty(between(1, 2)), nullptr, "all"}, HIDDEN_ARROW,
      {"Decimal digits:", 121, "result"}},
     "Decimalisation of hexadecimal digits\rCVV scan: digits, then A-F less 10; or a table (IBM 3624)",
     decimalise_handler, OPF_DIGITS(1) | OPF_DIGITS(2) | OPF_DIGITS(4)},
}};

#undef CVV_HELP
#undef PVV_HELP
#undef IBM_HELP
#undef CVC3_HELP
#undef DCVV_HELP
#undef LUHN_HELP
