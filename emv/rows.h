// rows.h: the drop-list rows of the EMV keys and cryptograms (ids 60-69) and of EMV data (70-79). A
// result moves on with "Copy to Input": the ICC master key into field 0 of the session key and
// cryptogram rows, the cryptogram into field 0 of the ARPC rows.
#pragma once

#include <array>

#include "core/catalogue.h"
#include "core/handlers.h"
#include "emv/cryptogram.h"
#include "emv/decoded_objects.h"
#include "emv/handlers.h"

enum : std::int32_t {
    OP_EMV_ICC_MK_A = 60,
    OP_EMV_ICC_MK_B = 61,
    OP_EMV_SESSION_COMMON = 62,
    OP_EMV_SESSION_MASTERCARD = 63,
    OP_EMV_SESSION_PBOC = 64,
    OP_EMV_CRYPTOGRAM = 65, // every row of CRYPTOGRAM_VERSIONS, told apart by name
    OP_EMV_CRYPTOGRAM_CUSTOM = 66,
    OP_EMV_ARPC1 = 67,
    OP_EMV_ARPC2 = 68,
    OP_EMV_TLV_DECODE = 70,
    OP_EMV_ELEMENT_DECODE = 71,
    OP_EMV_ARQC_CHECK = 72,
};

namespace emv_rows {

constexpr FieldLook IMK = {"Issuer Master Key - IMK (Triple-DES, 16 bytes):", 130, "imk", exactly(16), "master-key"};
constexpr FieldLook PAN = {"PAN - Primary Account Number (8 to 19 digits):", 117, "pan", between(8, 19)};
constexpr FieldLook PSN = {"PAN Sequence Number (2 digits - '00' if empty):", 117, "psn", or_empty(exactly(2)),
                             "pan-sequence-number", "00"};
constexpr FieldLook ICC_MK = {"ICC Master Key (16 bytes):", 130, "icc-mk", exactly(16), "master-key udk mk"};
constexpr FieldLook ATC = {"ATC - Application Transaction Counter (2 bytes):", 128, "atc", exactly(2)};
constexpr FieldLook OUT_KCV = {"Check value:", 121, "kcv"};
constexpr FieldLook OUT_ICC_MK = {"ICC Master Key (odd parity):", 115, "icc-mk"};
constexpr FieldLook OUT_SESSION_KEY = {"Session Key (not parity-adjusted):", 131, "session-key"};
constexpr FieldLook OUT_DATA_MACED = {"Data MACed (after padding):", 123, "data-maced"};
constexpr FieldLook OUT_CRYPTOGRAM = {"Application Cryptogram (ARQC, TC or AAC):", 139, "ac"};
constexpr FieldLook ARQC = {"ARQC (8 bytes):", 139, "arqc", exactly(8)};
constexpr FieldLook ARPC_KEY = {"Key: ICC Master Key or Session Key (16 bytes):", 115, "key", exactly(16), "icc-mk session-key"};
constexpr FieldLook OUT_ARPC = {"ARPC - Authorisation Response Cryptogram:", 118, "arpc"};

#define ICC_MK_HELP "EMV 4.3 Book 2 A1.4 - ICC Master Key derivation\r"
#define SESSION_HELP "EMV 4.3 Book 2 A1.3 - Session Key derivation\r"
#define ARPC_HELP "EMV 4.3 Book 2 8.2 - Authorisation Response Cryptogram\r"

constexpr std::uint32_t PAN_DIGITS = OPF_DIGITS(1) | OPF_DIGITS(2);

constexpr std::array<OperationRow, 8> KEY_AND_ARPC_ROWS = {{
    separator("============================= EMV =============================", 134),
    {OP_EMV_ICC_MK_A, "EMV ICC Master Key (Option A)", {IMK, PAN, PSN, OUT_KCV, OUT_ICC_MK},
     ICC_MK_HELP "Option A: the 16 rightmost digits of PAN and PSN", emv_icc_master_key_handler,
     TAIL_FIELD3 | PAN_DIGITS},
    {OP_EMV_ICC_MK_B, "EMV ICC Master Key (Option B)", {IMK, PAN, PSN, OUT_KCV, OUT_ICC_MK},
     ICC_MK_HELP "Option B: SHA-1 of PAN and PSN for PANs over 16 digits", emv_icc_master_key_handler,
     TAIL_FIELD3 | PAN_DIGITS},
    {OP_EMV_SESSION_COMMON, "EMV Session Key (EMV common)",
     {ICC_MK, {"ATC (2 bytes), or the diversification value R (8 bytes):", 128, "atc", one_of(2, 8), "r"}, HIDDEN_DASHES, OUT_KCV,
      OUT_SESSION_KEY},
     SESSION_HELP "EMV common session key: R = ATC || 000000000000", emv_session_key_handler, TAIL_FIELD3},
    {OP_EMV_SESSION_MASTERCARD, "EMV Session Key (Mastercard)",
     {ICC_MK, ATC, {"UN - Unpredictable Number (4 bytes):", 117, "un", exactly(4)}, OUT_KCV, OUT_SESSION_KEY},
     SESSION_HELP "Mastercard: ATC || F0 00 || UN and ATC || 0F 00 || UN", emv_session_key_handler,
     TAIL_FIELD3},
    {OP_EMV_SESSION_PBOC, "EMV Session Key (PBOC)", {ICC_MK, ATC, HIDDEN_DASHES, OUT_KCV, OUT_SESSION_KEY},
     SESSION_HELP "PBOC: 000000000000 || ATC and 000000000000 || NOT ATC", emv_session_key_handler,
     TAIL_FIELD3},
    {OP_EMV_ARPC1, "EMV ARPC Method 1",
     {ARQC, {"ARC - Authorisation Response Code (2 bytes):", 117, "arc", exactly(2)}, ARPC_KEY, HIDDEN_ARROW, OUT_ARPC},
     ARPC_HELP "Method 1: ARQC XOR ARC padded with zeros, enciphered", emv_arpc_handler, OPF_CHECK_VALUE, nullptr, check_value_tdes},
    {OP_EMV_ARPC2, "EMV ARPC Method 2",
     {ARQC, {"CSU - Card Status Update (4 bytes):", 117, "csu", exactly(4)}, ARPC_KEY,
      {"Proprietary data (0 to 8 bytes):", 117, "proprietary-data", or_empty(between(1, 8)), "data"}, OUT_ARPC},
     ARPC_HELP "Method 2: MAC over ARQC, CSU and proprietary data (4 bytes)", emv_arpc_handler, OPF_CHECK_VALUE, nullptr, check_value_tdes},
}};

#undef ICC_MK_HELP
#undef SESSION_HELP
#undef ARPC_HELP

// The EMV data rows: DE55 and card responses read, named and checked.
inline constexpr FieldPart CARD_PARTS[] = {
    {"pan", "PAN (8 to 19 digits; else tag 5A)", FieldKind::Digits, or_empty(between(8, 19)), "Invalid PAN length!", ""},
    {"psn", "PAN sequence number (2 digits; else 5F34, else 00)", FieldKind::Digits, or_empty(exactly(2)),
     "Invalid PAN sequence number!", ""},
    {"atc", "ATC (2 bytes; else tag 9F36)", FieldKind::Hex, or_empty(exactly(2)), "Invalid ATC length!", ""},
    {"cvn", "Cryptogram version: auto (from 9F10), 10, 18, 22, 16, 17, 20, 21, 133 or 5", FieldKind::Text,
     or_empty(between(1, 4)), "Unknown cryptogram version!", "auto"},
    {"option", "ICC master key option: auto, A or B", FieldKind::Text, or_empty(between(1, 4)), "Option A or B!", "auto"},
};
inline constexpr FieldPart RESPONSE_PARTS[] = {
    {"arc", "ARC (2 bytes), for ARPC method 1", FieldKind::Hex, or_empty(exactly(2)), "Invalid ARC length!", ""},
    {"csu", "CSU (4 bytes), for ARPC method 2", FieldKind::Hex, or_empty(exactly(4)), "Invalid CSU length!", ""},
    {"proprietary-data", "Proprietary data (0 to 8 bytes), with the CSU", FieldKind::Hex, or_empty(between(1, 8)),
     "Invalid proprietary data length!", ""},
};

constexpr std::array<OperationRow, 4> DATA_ROWS = {{
    separator("========================== EMV DATA ===========================", 134),
    {OP_EMV_TLV_DECODE, "EMV TLV decode",
     {{"TLV data - DE55, a card response or a template:", 117, "tlv", any_size(), "de55 data"}, HIDDEN_ARROW,
      HIDDEN_DASHES, HIDDEN_DASHES, {"Objects - tag, name (length): value:", 121, "decoded", {}, nullptr, nullptr, 8192}},
     "EMV 4.3 Book 3 Annex B - BER-TLV data objects\rTVR, TSI, AIP, AUC, CVM, IAD, DOL, CTQ, TTQ explained",
     emv_tlv_decode_handler, OPF_TEXT(4), &TLV_DECODED_OBJECTS},
    {OP_EMV_ELEMENT_DECODE, "EMV data element decode",
     {{"Tag - 95, 9B, 82, 9F07, 8E, 9F34, 9F10, 9F6C, 9F66, 80 or a DOL:", 140, "tag", between(1, 4)},
      {"Value:", 117, "value", between(2, 1024)},
      {"Data the DOL lists (optional, DOLs only):", 117, "data", or_empty(any_size())}, HIDDEN_ARROW,
      {"In words:", 121, "decoded", {}, nullptr, nullptr, 8192}},
     "EMV 4.3 Book 3 Annex C - data elements in words\rBit tables, CV Rules, IAD formats, DOL entries",
     emv_element_decode_handler, OPF_TEXT(4)},
    {OP_EMV_ARQC_CHECK, "EMV ARQC check (from TLV)",
     {{"DE55 - ICC data (TLV with 9F26, 9F10, 9F36 ...):", 117, "de55", any_size(), "tlv"}, IMK,
      {"PAN/PSN/ATC/CVN/option (optional; typed wins over tags):", 117, "card", or_empty(any_size()), nullptr,
       nullptr, 0, CARD_PARTS},
      {"ARC, or /CSU/proprietary data (optional, for the ARPC):", 117, "response", or_empty(any_size()), nullptr,
       nullptr, 0, RESPONSE_PARTS},
      {"Verdict, data MACed, keys, ATC, UN (and variants):", 139, "result", {}, nullptr, nullptr, 4096}},
     "EMV 4.3 Book 2 A1.2 - ARQC checked from DE55\rOn a mismatch, every variant that gives 9F26",
     emv_arqc_check_handler, OPF_TEXT(2) | OPF_TEXT(3) | OPF_TEXT(4)},
}};

// The data a version takes: the common elements, then the IAD (at most 32 bytes) or its parts alone.
constexpr SizeRule data_size(const CryptogramVersion& version)
{
    std::uint16_t parts = 0;
    for (int i = 0; i < version.part_count; ++i)
        parts += version.parts[static_cast<std::size_t>(i)].length;
    return between(static_cast<std::uint16_t>(COMMON_ELEMENTS_BYTES + (parts ? parts : 1)),
                   static_cast<std::uint16_t>(COMMON_ELEMENTS_BYTES + IAD_MAX_BYTES));
}

// The names the data field had before it had one.
#define DATA_ALIASES "9f02-9f03-9f1a-95-5f2a-9a-9c-9f37-82-9f36-iad 9f02-9f03-9f1a-95-5f2a-9a-9c-9f37-82-9f36-iad-or-cvr"

constexpr OperationRow cryptogram_row(const CryptogramVersion& version)
{
    return {OP_EMV_CRYPTOGRAM, version.row,
            {ICC_MK, {version.data_title, 123, "data", data_size(version), DATA_ALIASES}, OUT_DATA_MACED,
             {"Session Key used (not parity-adjusted):", 131, "session-key"}, OUT_CRYPTOGRAM},
            version.help, emv_cryptogram_handler, TAIL_FIELD2, &version};
}

constexpr auto rows()
{
    std::array<OperationRow, KEY_AND_ARPC_ROWS.size() + CRYPTOGRAM_VERSIONS.size() + 1 + DATA_ROWS.size()> all{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < 6; ++i) // up to the ARPC rows
        all[at++] = KEY_AND_ARPC_ROWS[i];
    for (const CryptogramVersion& version : CRYPTOGRAM_VERSIONS)
        all[at++] = cryptogram_row(version);
    // The data first, beside the Padding box that chooses its padding, the key where keys go, with its check value.
    all[at++] = {OP_EMV_CRYPTOGRAM_CUSTOM, "EMV Cryptogram (custom)",
                 {{"Transaction data, whole (tick Padding for method 2):", 123, "data", any_size()}, HIDDEN_ARROW,
                  {"Key: Session Key, or ICC Master Key (16 bytes):", 131, "key", exactly(16),
                   "session-key icc-mk"},
                  OUT_DATA_MACED, OUT_CRYPTOGRAM},
                 "EMV 4.3 Book 2 A1.2 - Application Cryptogram (ARQC, TC, AAC)\rMAC algorithm 3, padding method 1 or 2",
                 emv_cryptogram_handler, TAIL_FIELD3 | OPF_MAC | OPF_CHECK_VALUE, nullptr, check_value_tdes};
    for (std::size_t i = 6; i < KEY_AND_ARPC_ROWS.size(); ++i)
        all[at++] = KEY_AND_ARPC_ROWS[i];
    for (const OperationRow& row : DATA_ROWS)
        all[at++] = row;
    return all;
}

} // namespace emv_rows

inline constexpr auto EMV_ROWS = emv_rows::rows();
#undef DATA_ALIASES
