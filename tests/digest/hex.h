// hex.h: byte strings for the digest tests, written and compared as upper-case hexadecimal.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline std::string to_hex(std::span<const std::uint8_t> bytes)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string s;
    for (std::uint8_t b : bytes) {
        s += digits[b >> 4];
        s += digits[b & 15];
    }
    return s;
}

inline std::vector<std::uint8_t> ascii_bytes(std::string_view text) { return {text.begin(), text.end()}; }

// A reproducible message of n bytes that runs through every byte value.
inline std::vector<std::uint8_t> pattern(std::size_t n, std::uint32_t seed = 1)
{
    std::vector<std::uint8_t> m(n);
    for (std::uint8_t& b : m) {
        seed = seed * 1103515245 + 12345;
        b = std::uint8_t(seed >> 16);
    }
    return m;
}
