// bit_tables.h: the meanings of the bits of EMV bit-mapped elements: TVR (95), TSI (9B), AIP (82) and
// AUC (9F07) as in EMV 4.3 Book 3 Annex C, CTQ (9F6C) and TTQ (9F66) as the contactless kernels publish.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A set bit's meaning: byte 1 to n, bit 8 (leftmost) to 1. Bits a table leaves out are RFU.
struct BitMeaning {
    std::uint8_t byte, bit;
    const char* text;
};

struct BitTable {
    std::uint8_t bytes; // the element's length
    std::span<const BitMeaning> meanings;
};

extern const BitTable TVR_BITS, TSI_BITS, AIP_BITS, AUC_BITS, CTQ_BITS, TTQ_BITS;

// One line per set bit, in table order; set bits the table leaves out as one line "RFU bits set: B1b1 ...".
void bit_lines(const BitTable& table, std::span<const std::uint8_t> value, std::vector<std::string>& lines);
