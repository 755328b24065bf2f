// cvm.h: the CVM List (8E) and CVM Results (9F34) in words (EMV 4.3 Book 3 10.5 and Annex C3).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "emv/text.h"

// Amounts X and Y, then one line per rule: method, condition, what follows a failure. "" or the refusal.
std::string_view cvm_list_lines(std::span<const std::uint8_t> value, Lines& lines);
// Method, condition and result in one line.
std::string_view cvm_results_lines(std::span<const std::uint8_t> value, Lines& lines);
