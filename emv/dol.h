// dol.h: a Data Object List (CDOL1 8C, CDOL2 8D, PDOL 9F38, TDOL 97, DDOL 9F49) read as tags and
// lengths (EMV 4.3 Book 3 5.4), and data split by it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "emv/text.h"

inline constexpr std::string_view MSG_DATA_NOT_DOL = "Data does not fit the DOL!";

struct DolEntry {
    std::uint32_t tag;
    std::uint8_t tag_bytes;
    std::size_t length;
};

// The entries, or a refusal naming the byte offset where the list breaks off.
std::string dol_read(std::span<const std::uint8_t> dol, std::vector<DolEntry>& entries);

// One line per entry (tag, name, length, and its value when data is given), then the total length.
// data must be empty or exactly as long as the entries together; "" or the refusal.
std::string dol_lines(std::span<const std::uint8_t> dol, std::span<const std::uint8_t> data, Lines& lines);
