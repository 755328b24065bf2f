// text.h: the text the EMV data rows write: bytes as upper-case hexadecimal, and lines joined for a
// multi-line output field.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

inline std::string hex(std::span<const std::uint8_t> bytes)
{
    constexpr char DIGITS[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(2 * bytes.size());
    for (std::uint8_t b : bytes) {
        out.push_back(DIGITS[b >> 4]);
        out.push_back(DIGITS[b & 15]);
    }
    return out;
}

inline std::string join_lines(const Lines& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += (out.empty() ? "" : "\r\n") + line;
    return out;
}
