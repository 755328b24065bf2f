// fields.h: what the card verification handlers share: their refusals, reading a field of named parts,
// a 16-byte key, the PAN's digits, the ICC master key typed or derived, and a key shown with its check value.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/field.h"
#include "core/messages.h"

inline constexpr std::string_view MSG_CARD_PAN_LENGTH = "Invalid PAN length!";
inline constexpr std::string_view MSG_PAN_DIGITS = "Invalid PAN digit!";
inline constexpr std::string_view MSG_PVV_LENGTH = "Invalid PVV length!";
inline constexpr std::string_view MSG_CVV_LENGTH = "Invalid CVV length!";
inline constexpr std::string_view MSG_CVC3_LENGTH = "Invalid CVC3 length!";
inline constexpr std::string_view MSG_PIN_LENGTH = "Invalid PIN length!";
inline constexpr std::string_view MSG_OFFSET_LENGTH = "Invalid offset length!";
inline constexpr std::string_view MSG_CHECK_LENGTH = "Invalid check length!";
inline constexpr std::string_view MSG_PAD = "Invalid pad character!";
inline constexpr std::string_view MSG_VALIDATION_DATA = "Invalid validation data!";
inline constexpr std::string_view MSG_VALIDATION_START = "Invalid validation data start!";
inline constexpr std::string_view MSG_VALIDATION_LENGTH = "Invalid validation data length!";
inline constexpr std::string_view MSG_NUMBER_LENGTH = "Invalid number length!";
inline constexpr std::string_view MSG_DEC_TABLE = "Invalid decimalisation table!";
inline constexpr std::string_view MSG_DIGITS_KEPT = "Invalid number of digits!";

using CardKey = std::array<std::uint8_t, 16>;

// Field index read and split into its parts; false after the codec or the part reported.
template <std::size_t N>
bool load_parts(int index, std::array<std::string, N>& parts)
{
    return field_load(index, 0, 1) && field_parts(index, std::span<std::string>(parts));
}

// False after refusing, on field index, a PAN that holds anything but decimal digits.
bool pan_digits_only(int index, std::string_view pan);

// A 16-byte key in hexadecimal field index; false after "Invalid key length!".
bool load_key16(int index, CardKey& key);

// The value of a part of decimal digits (at most a few).
int part_number(std::string_view digits);

// The ICC master key: the typed key itself, or, when derive is set, the ICC master key derived from it
// as the IMK with PAN and PSN (option A; option B for PANs of more than 16 digits).
CardKey icc_key(std::string_view key_hex, bool derive, std::string_view pan, std::string_view psn);

// "KEY / KCV": the key and its 3-byte check value, in hexadecimal.
std::string key_and_check_value(const CardKey& key);

// The row's verdict on field 4: "Verified", or "<what> does not match: computed <c>, given <g>".
void show_match(std::string_view what, std::string_view computed, std::string_view given);
