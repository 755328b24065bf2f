// field.h: the five field buffers and the codec between a field's text and its bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

inline constexpr int FIELD_COUNT = 5;
inline constexpr int FIELD_MAX_BYTES = 1024;   // a field's capacity unless its row gives it more
inline constexpr int FIELD_MAX_TEXT = 4096;    // characters an input edit accepts and the codec reads, at that capacity
inline constexpr int FIELD_MAX_DIGITS = 2 * FIELD_MAX_BYTES;
inline constexpr int FIELD_STORAGE_BYTES = 8192; // the largest capacity a row may give a field

struct FieldBuffer {
    std::uint8_t data[FIELD_STORAGE_BYTES];
    std::int32_t length; // 0 to the field's capacity
};

// Fields 0 to 3 are inputs (3 is the short one), 4 is the output.
extern FieldBuffer g_field[FIELD_COUNT];

// Field index's capacity in the selected row, in its unit (bytes, digits or characters), and the number
// of characters its edit accepts: four a byte of capacity, never fewer than FIELD_MAX_TEXT, so that
// text past the capacity reaches the codec and is refused rather than cut.
int field_capacity(int index);
int field_text_limit(int index);

enum : int {
    PARSE_OK = 0,
    PARSE_BAD_SIZE = 1,   // more than 1024 bytes, or against the size rule
    PARSE_ODD_DIGITS = 2, // an odd number of hexadecimal digits
    PARSE_NOT_DIGITS = 3, // a digit-string field holds something other than decimal digits
};

// The upper-case hexadecimal digits, and the value of one hexadecimal digit, either case (-1 for any other character).
inline constexpr char HEX_DIGITS[] = "0123456789ABCDEF";
int hex_value(char c);

// Size rules: 0 any length up to the capacity (1024 bytes unless given); n > 0 a multiple of n; -n exactly n bytes.
int field_parse(int edit_id, int ascii, std::uint8_t* dest, int size_rule, std::int32_t* length_out,
                int write_back, int capacity = FIELD_MAX_BYTES);

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
// Sets field index's counter from its buffer, in its unit (bytes, digits or characters).
void show_counter(int index);

// Field index's bytes as loaded, and the same as characters (for digit and text fields).
std::span<const std::uint8_t> field_bytes(int index);
std::string_view field_text(int index);

// Writes bytes (at most the field's capacity) into field index and shows them.
void show_bytes(int index, std::span<const std::uint8_t> bytes);
// Writes text into a digit or text output field index and shows it.
void show_text(int index, std::string_view text);

// The verdict of a verify row: its text is shown in output field index (a text field), and the console
// program and the batch read whether it verified. GO! clears it.
enum class Verdict { None, Verified, Mismatch };
extern Verdict g_verdict;
void show_verdict(int index, bool verified, std::string_view text);

// A field made of named parts (its row's look gives them, with a separator): the parts as typed, blanks
// around each dropped, those left out at the end given their defaults. Reports the first part that is
// missing, not of its kind or not of its size with the part's own message, on the field, and returns
// false. A part of kind Digits must be decimal digits, of kind Hex hexadecimal digits.
bool field_parts(int index, std::span<std::string> parts);
