// fields.h: the EMV rows' refusals, and the reading and showing of their fields.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/messages.h"
#include "core/field.h"

inline constexpr std::string_view MSG_PAN_LENGTH = "Invalid PAN length!";
inline constexpr std::string_view MSG_PSN = "Invalid PAN sequence number!";
inline constexpr std::string_view MSG_ATC_LENGTH = "Invalid ATC length!";
inline constexpr std::string_view MSG_UN_LENGTH = "Invalid UN length!";
inline constexpr std::string_view MSG_DATA_VERSION = "Data does not fit the cryptogram version!";
inline constexpr std::string_view MSG_ARQC_LENGTH = "Invalid ARQC length!";
inline constexpr std::string_view MSG_ARC_LENGTH = "Invalid ARC length!";
inline constexpr std::string_view MSG_CSU_LENGTH = "Invalid CSU length!";
inline constexpr std::string_view MSG_PROPRIETARY_LENGTH = "Invalid proprietary data length!";

// Reads field index; false, after reporting message on the field, unless it holds one of the sizes.
bool load_sized(int index, std::span<const int> sizes, std::string_view message);
inline bool load_sized(int index, int size, std::string_view message)
{
    return load_sized(index, std::span<const int>(&size, 1), message);
}
// A double-length Triple-DES key in field index.
inline bool load_key(int index) { return load_sized(index, 16, MSG_INVALID_KEY_LENGTH); }

// The key in field 4 and its check value in field 3.
void show_key_and_check_value(std::span<const std::uint8_t, 16> key);
