// cvc3.h: the Mastercard dynamic CVC3 of contactless magnetic-stripe transactions.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

// IVCVC3: the rightmost 2 bytes of ISO/IEC 9797-1 MAC algorithm 3 (padding method 2) over the track data
// under the ICC key.
std::array<std::uint8_t, 2> ivcvc3(std::span<const std::uint8_t, 16> key, std::span<const std::uint8_t> track);

// Triple-DES of IVCVC3 || UN || ATC under the ICC key; its rightmost 2 bytes as a 5-digit decimal number.
std::string cvc3(std::span<const std::uint8_t, 16> key, std::span<const std::uint8_t, 2> iv,
                 std::span<const std::uint8_t, 4> un, std::span<const std::uint8_t, 2> atc);
