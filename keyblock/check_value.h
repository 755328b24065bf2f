// check_value.h: the check value of a key taken out of a key block, by the algorithm its header names.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

inline constexpr int KEY_BLOCK_CHECK_VALUE_BYTES = 3;

// Legacy (one zero block enciphered) for DES and Triple-DES keys; CMAC-based (the CMAC of one zero
// block, ANSI X9.24-1-2017 Annex A) for AES keys; empty for other algorithms or unfitting lengths.
std::vector<std::uint8_t> key_check_value(char algorithm, std::span<const std::uint8_t> key);
