// pin_fields.h: what the PIN, CMAC and check value handlers share: digit fields as text, refusals with
// their rule's message, outputs written as bytes or as digits, and random bytes from the generator.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/messages.h"
#include "core/field.h"
#include "pin/pin_block.h"

inline constexpr std::string_view MSG_INVALID_FORMAT = "Invalid format!";
inline constexpr std::string_view MSG_INVALID_MAC_LENGTH = "Invalid MAC length!";


// Shows the rule's message on field index; always false, so a handler can return it.
bool refuse(int index, PinRule rule);

// The hexadecimal digits typed in field index, one value 0 to 15 a digit, white space skipped; any other
// character becomes a value above 15, which the PIN block refuses as a fill digit.
std::vector<std::uint8_t> typed_hex_digits(int index);

// Writes characters (for a digit field) into field index and shows them.
void show_characters(int index, std::string_view text);
