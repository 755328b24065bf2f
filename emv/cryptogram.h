// cryptogram.h: application cryptograms (EMV 4.3 Book 2 A1.2 and 8.1) and the cryptogram versions
// whose data, session key and padding the rows know by name.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

enum class SessionKeyMethod { None, Common, Mastercard };

// ISO/IEC 9797-1 padding methods 1 (zeros) and 2 (80 then zeros).
enum class MacPadding { Zeros = 1, Bit = 2 };

// Bytes cut from the Issuer Application Data (9F10): the offset counts from 0.
struct IadPart {
    std::uint8_t offset, length;
};

// A cryptogram version: the data after the ten common elements is the whole IAD (no parts), or
// parts of it; a user may type those parts alone instead of the IAD.
struct CryptogramVersion {
    const char* row;
    const char* data_title;
    const char* help;
    SessionKeyMethod key;
    MacPadding padding;
    std::array<IadPart, 2> parts;
    int part_count;
    bool iad_lengths = false; // the IAD is parts each led by its length byte (Visa, CCD, Interac)
};

// 9F02 9F03 9F1A 95 5F2A 9A 9C 9F37 82 9F36: the elements every version starts with, in this order.
inline constexpr std::size_t COMMON_ELEMENTS_BYTES = 33;
inline constexpr std::size_t UN_OFFSET = 25;  // 9F37
inline constexpr std::size_t ATC_OFFSET = 31; // 9F36
inline constexpr std::size_t IAD_MAX_BYTES = 32;

#define CDOL_ELEMENTS "9F02 9F03 9F1A 95 5F2A 9A 9C 9F37 82 9F36 + "
#define CRYPTOGRAM_HELP "EMV 4.3 Book 2 A1.2 - Application Cryptogram (ARQC, TC, AAC)\r"
inline constexpr IadPart VISA_CVR = {3, 4};       // IAD bytes 4-7
inline constexpr IadPart MASTERCARD_CVR = {2, 6}; // IAD bytes 3-8
inline constexpr IadPart MASTERCARD_COUNTERS = {10, 8}; // IAD bytes 11-18

inline constexpr std::array<CryptogramVersion, 9> CRYPTOGRAM_VERSIONS = {{
    {"EMV Cryptogram Visa CVN 10", CDOL_ELEMENTS "IAD or CVR (4 bytes):",
     CRYPTOGRAM_HELP "Visa CVN 10: ICC Master Key, padding method 1", SessionKeyMethod::None, MacPadding::Zeros,
     {VISA_CVR}, 1, true},
    {"EMV Cryptogram Visa CVN 18", CDOL_ELEMENTS "IAD (9F10):",
     CRYPTOGRAM_HELP "Visa CVN 18: common session key, padding method 2", SessionKeyMethod::Common, MacPadding::Bit,
     {}, 0, true},
    {"EMV Cryptogram Visa CVN 22", CDOL_ELEMENTS "IAD (9F10):",
     CRYPTOGRAM_HELP "Visa CVN 22: common session key, padding method 2", SessionKeyMethod::Common, MacPadding::Bit,
     {}, 0, true},
    {"EMV Cryptogram Mastercard CVN 16", CDOL_ELEMENTS "IAD or CVR (6 bytes):",
     CRYPTOGRAM_HELP "Mastercard CVN 16: Mastercard session key, padding method 2", SessionKeyMethod::Mastercard,
     MacPadding::Bit, {MASTERCARD_CVR}, 1},
    {"EMV Cryptogram Mastercard CVN 17", CDOL_ELEMENTS "IAD or CVR(6)+counters(8):",
     CRYPTOGRAM_HELP "Mastercard CVN 17: Mastercard session key, padding method 2", SessionKeyMethod::Mastercard,
     MacPadding::Bit, {MASTERCARD_CVR, MASTERCARD_COUNTERS}, 2},
    {"EMV Cryptogram Mastercard CVN 20", CDOL_ELEMENTS "IAD or CVR (6 bytes):",
     CRYPTOGRAM_HELP "Mastercard CVN 20: common session key, padding method 2", SessionKeyMethod::Common,
     MacPadding::Bit, {MASTERCARD_CVR}, 1},
    {"EMV Cryptogram Mastercard CVN 21", CDOL_ELEMENTS "IAD or CVR(6)+counters(8):",
     CRYPTOGRAM_HELP "Mastercard CVN 21: common session key, padding method 2", SessionKeyMethod::Common,
     MacPadding::Bit, {MASTERCARD_CVR, MASTERCARD_COUNTERS}, 2},
    {"EMV Cryptogram Interac CVN 133", CDOL_ELEMENTS "IAD (9F10):",
     CRYPTOGRAM_HELP "Interac CVN 133: Mastercard session key, padding method 2", SessionKeyMethod::Mastercard,
     MacPadding::Bit, {}, 0, true},
    {"EMV Cryptogram CCD CVN 5", CDOL_ELEMENTS "IAD (9F10):",
     CRYPTOGRAM_HELP "Common Core Definitions CVN 5: common session key, padding method 2", SessionKeyMethod::Common,
     MacPadding::Bit, {}, 0, true},
}};
#undef CDOL_ELEMENTS
#undef CRYPTOGRAM_HELP

// The data a version MACs, from the common elements and the IAD (or its parts) as typed; empty
// when the typed bytes do not fit the version, or a whole IAD of a version with length bytes does not
// end where its length bytes say.
std::vector<std::uint8_t> cryptogram_data(const CryptogramVersion& version, std::span<const std::uint8_t> typed);

// The data padded to whole blocks (padding method 1 pads empty data to one block).
std::vector<std::uint8_t> mac_padded(std::span<const std::uint8_t> data, MacPadding padding);
