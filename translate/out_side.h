// out_side.h: what the translation rows share: the format typed as a part, and the output side
// ("key out / format out / fill") read from one field and built into the new block.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "translate/pin_sides.h"

inline constexpr std::string_view MSG_FORMAT_2 = "Format 2 is for cards only, not translated!";

// The bytes of a part of kind Hex (its digits already checked).
std::vector<std::uint8_t> part_bytes(std::string_view hex);

// The format a part holds: 0, 1, 3 or 4; refused on field index with its own message.
bool load_format(int index, std::string_view typed, int& format);

struct OutSide {
    int format;
    BlockKey key;
    std::string fill; // hexadecimal digits as typed; empty: drawn from the generator
};

// Reads the parts of field index (key out, format out, fill) and checks the key's length for the format.
bool load_out_side(int index, OutSide& out);

// Builds the new block of pin on the output side: the fill (formats 1 and 3: its leftmost 14 less PIN
// length digits) or format 4's 8 random bytes as typed, else drawn. Refusals go on field index.
bool build_out_block(int index, const OutSide& out, std::string_view pin, std::string_view pan, ClearPin& clear,
                     std::uint8_t block[16]);
