// arpc.h: the Authorisation Response Cryptogram (EMV 4.3 Book 2 8.2), methods 1 and 2.
#pragma once

#include <array>
#include <cstdint>
#include <span>

// Method 1: ARQC XOR (ARC || 00..00), enciphered under the key.
std::array<std::uint8_t, 8> arpc_method1(std::span<const std::uint8_t, 16> key, std::span<const std::uint8_t, 8> arqc,
                                         std::span<const std::uint8_t, 2> arc);
// Method 2: the leftmost 4 bytes of the MAC (padding method 2) over ARQC || CSU || proprietary data.
std::array<std::uint8_t, 4> arpc_method2(std::span<const std::uint8_t, 16> key, std::span<const std::uint8_t, 8> arqc,
                                         std::span<const std::uint8_t, 4> csu, std::span<const std::uint8_t> proprietary);
