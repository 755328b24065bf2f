// field.h: the five field buffers and the codec between a field's text and its bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

inline constexpr int FIELD_COUNT = 5;
inline constexpr int FIELD_MAX_BYTES = 1024;
inline constexpr int FIELD_MAX_TEXT = 4096;   // characters an input edit accepts and the codec reads
inline constexpr int FIELD_MAX_DIGITS = 2 * FIELD_MAX_BYTES;

struct FieldBuffer {
    std::uint8_t data[FIELD_MAX_BYTES];
    std::int32_t length; // 0 to 1024
};

// Fields 0 to 3 are inputs (3 is the short one), 4 is the output.
extern FieldBuffer g_field[FIELD_COUNT];

enum : int {
    PARSE_OK = 0,
    PARSE_BAD_SIZE = 1,   // more than 1024 bytes, or against the size rule
    PARSE_ODD_DIGITS = 2, // an odd number of hexadecimal digits
    PARSE_NOT_DIGITS = 3, // a digit-string field holds something other than decimal digits
};

// The value of one hexadecimal digit, either case; -1 for any other character.
int hex_value(char c);

// Size rules: 0 any length up to 1024 bytes; n > 0 a multiple of n; -n exactly n bytes.
int field_parse(int edit_id, int ascii, std::uint8_t* dest, int size_rule, std::int32_t* length_out,
                int write_back);

// Reads field index into g_field[index]; 1 when good (or not strict), 0 after reporting
// "Invalid field size!" (or, for a digit-string field, "Digits only!") with the field selected and focused.
// A field the selected row marks as digits holds the decimal digits as typed, one character a byte,
// white space dropped; its size rule and counter count digits. A field marked as text holds its
// characters as typed, one a byte, counted in characters.
int field_load(int index, int size_rule, int strict);

// Writes g_field[index] into its edit, as hexadecimal or ASCII by the field's box, and sets its counter.
void field_show(int index);

// The edit-change handling: re-reads field index with size rule 0, no message, no rewrite.
void recount_field(int index);

// Field index's bytes as loaded, and the same as characters (for digit and text fields).
std::span<const std::uint8_t> field_bytes(int index);
std::string_view field_text(int index);

// Writes bytes (at most a buffer's worth) into field index and shows them.
void show_bytes(int index, std::span<const std::uint8_t> bytes);
