// messages.h: the message boxes that handlers and the codec show.
#pragma once

#include <string_view>

inline constexpr std::string_view CAPTION_ERROR = "Ooops!";
inline constexpr std::string_view CAPTION_PROGRAM = "Tabrix!";
inline constexpr std::string_view MSG_INTERNAL_ERROR = "ERROR!";
inline constexpr std::string_view MSG_INVALID_FIELD_SIZE = "Invalid field size!";
inline constexpr std::string_view MSG_DIGITS_ONLY = "Digits only!";
inline constexpr std::string_view MSG_INVALID_KEY_LENGTH = "Invalid key length!";

// "Ooops!" with the error icon.
void show_error(std::string_view text);

// "Ooops!" with the error icon; then the field's whole text is selected and it gets the focus.
void show_field_error(int field_index, std::string_view text);
