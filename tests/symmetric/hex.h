// hex.h: hexadecimal text to bytes and back, for the known-answer tables of the symmetric tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// "0123 abcd" -> 01 23 AB CD; characters that are not hexadecimal digits are skipped.
inline Bytes from_hex(std::string_view text) {
    Bytes out;
    int high = -1;
    for (char c : text) {
        int v = (c >= '0' && c <= '9') ? c - '0'
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                         : -1;
        if (v < 0)
            continue;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<std::uint8_t>(high * 16 + v));
            high = -1;
        }
    }
    return out;
}

// Upper-case hexadecimal, two digits per byte, as the workbench shows bytes.
inline std::string to_hex(const std::uint8_t* bytes, std::size_t count) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

inline std::string to_hex(const Bytes& bytes) { return to_hex(bytes.data(), bytes.size()); }

// Upper-cases and strips a hexadecimal literal so that it compares with to_hex output.
inline std::string clean_hex(std::string_view text) { return to_hex(from_hex(text)); }
