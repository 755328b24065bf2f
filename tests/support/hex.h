// hex.h: bytes as the workbench shows them, upper-case hexadecimal, and back; for the tests and the fuzzers.
#pragma once

#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline std::string to_hex(const std::uint8_t* bytes, std::size_t n)
{
    std::string out;
    for (std::size_t i = 0; i < n; ++i)
        out += {"0123456789ABCDEF"[bytes[i] >> 4], "0123456789ABCDEF"[bytes[i] & 15]};
    return out;
}
inline std::string to_hex(const Bytes& b) { return to_hex(b.data(), b.size()); }

// "0123 abcd" -> 01 23 AB CD; characters that are not hexadecimal digits are skipped.
inline Bytes from_hex(std::string_view text)
{
    Bytes out;
    std::string digits;
    for (char c : text)
        if (std::isxdigit(static_cast<unsigned char>(c)) && (digits += c).size() == 2)
            out.push_back(static_cast<std::uint8_t>(std::stoi(digits, nullptr, 16))), digits.clear();
    return out;
}
inline std::string clean_hex(std::string_view text) { return to_hex(from_hex(text)); }
