// luhn.h: the Luhn (ISO/IEC 7812-1 Annex B) check digit: from the right, every second digit doubled,
// its digits summed; the number is valid when the sum is a multiple of ten.
#pragma once

#include <string_view>

// The sum over digits as they stand, the rightmost digit not doubled (the check digit's place).
int luhn_sum(std::string_view digits);

// The sum over digits followed by a check digit (the rightmost digit doubled), and that check digit.
int luhn_payload_sum(std::string_view digits);
char luhn_check_digit(std::string_view digits);
