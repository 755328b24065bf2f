// pvv.h: the Visa PIN verification value (PVV) from the transformed security parameter.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct PvvSteps {
    std::string tsp;                        // 16 digits
    std::array<std::uint8_t, 8> enciphered; // the TSP under the PVK
    std::string value;                      // 4 digits
};

// The TSP: the 11 PAN digits left of the check digit, the PVKI, the PIN's 4 leftmost digits.
// pan: 12 to 19 digits; pvki: one digit; pin: at least 4 digits.
std::string pvv_tsp(std::string_view pan, std::string_view pvki, std::string_view pin);

// The TSP enciphered with Triple-DES under the 16-byte PVK and decimalised by the scan, 4 digits kept.
PvvSteps pvv(std::string_view pan, std::string_view pvki, std::string_view pin, std::span<const std::uint8_t, 16> pvk);
