// iad.h: the Issuer Application Data (9F10) split by its format: Visa formats 0, 1 and 3 (length, DKI,
// CVN, CVR) and 2, Mastercard M/Chip (DKI, CVN, CVR, DAC, counters), the Common Core Definitions
// (format A), Interac; and the cryptogram version its CVN names.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "emv/text.h"

enum class IadFormat { Unknown, Ccd, Visa2, Visa, Interac, Mastercard };

struct IadFields {
    IadFormat format = IadFormat::Unknown;
    std::uint8_t dki = 0, cvn = 0;
    std::span<const std::uint8_t> cvr, dac, counters, idd;
    int version = -1; // index in CRYPTOGRAM_VERSIONS, -1 when the CVN names none of them
};

// Tried in this order: first byte 0F (CCD), 1F (Visa format 2), 06 (Visa 0/1/3), third byte 85
// (Interac), second byte 10, 11, 14 or 15 (Mastercard).
IadFields read_iad(std::span<const std::uint8_t> iad);

// The IAD's parts in words; "" or the refusal.
std::string_view iad_lines(std::span<const std::uint8_t> iad, Lines& lines);
