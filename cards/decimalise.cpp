// decimalise.cpp: the scan and table decimalisations of hexadecimal digits.
#include "cards/decimalise.h"

#include "core/field.h"

std::string hex_digits(std::span<const std::uint8_t> bytes)
{
    std::string text;
    for (std::uint8_t b : bytes) {
        text.push_back(HEX_DIGITS[b >> 4]);
        text.push_back(HEX_DIGITS[b & 0x0F]);
    }
    return text;
}

bool pack_hex(std::string_view digits, std::span<std::uint8_t> out)
{
    if (digits.size() != 2 * out.size())
        return false;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const int high = hex_value(digits[2 * i]), low = hex_value(digits[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        out[i] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return true;
}

std::string decimalise_scan(std::string_view hex)
{
    std::string digits;
    for (char c : hex)
        if (const int v = hex_value(c); v >= 0 && v < 10)
            digits.push_back(static_cast<char>('0' + v));
    for (char c : hex)
        if (const int v = hex_value(c); v >= 10)
            digits.push_back(static_cast<char>('0' + v - 10));
    return digits;
}

std::string decimalise_table(std::string_view hex, std::string_view table)
{
    std::string digits;
    for (char c : hex)
        if (const int v = hex_value(c); v >= 0)
            digits.push_back(table[static_cast<std::size_t>(v)]);
    return digits;
}
