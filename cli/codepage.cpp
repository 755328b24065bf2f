// codepage.cpp: Windows-1252 both ways. Bytes 80 to 9F have their own characters; the five the code
// page leaves undefined show as the C1 controls of the same number, as Windows maps them.
#include "cli/codepage.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::array<char32_t, 32> HIGH = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t character_of(std::uint8_t byte) { return byte >= 0x80 && byte < 0xA0 ? HIGH[byte - 0x80] : byte; }

int byte_of(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (std::size_t i = 0; i < HIGH.size(); ++i)
        if (HIGH[i] == c)
            return static_cast<int>(0x80 + i);
    return -1;
}

// Decodes the character at pos and moves past it; -1 for a byte sequence that is not UTF-8.
long next_character(std::string_view s, std::size_t& pos)
{
    const auto lead = static_cast<std::uint8_t>(s[pos++]);
    if (lead < 0x80)
        return lead;
    const int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : -1;
    if (extra < 0 || lead >= 0xF5)
        return -1;
    long c = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        if (pos >= s.size() || (static_cast<std::uint8_t>(s[pos]) & 0xC0) != 0x80)
            return -1;
        c = c << 6 | (static_cast<std::uint8_t>(s[pos++]) & 0x3F);
    }
    constexpr long SMALLEST[] = {0, 0x80, 0x800, 0x10000};
    if (c < SMALLEST[extra] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
        return -1;
    return c;
}

void append_utf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | c >> 6));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | c >> 12));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace

std::optional<std::string> to_window_text(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const long c = next_character(utf8, pos);
        const int byte = c < 0 ? -1 : byte_of(static_cast<char32_t>(c));
        if (byte < 0)
            return std::nullopt;
        out.push_back(static_cast<char>(byte));
    }
    return out;
}

std::string from_window_text(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char b : bytes)
        append_utf8(out, character_of(static_cast<std::uint8_t>(b)));
    return out;
}

std::string first_unmapped(std::string_view utf8)
{
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const long c = next_character(utf8, pos);
        if (c < 0)
        {
            constexpr char DIGITS[] = "0123456789ABCDEF";
            const auto b = static_cast<std::uint8_t>(utf8[start]);
            return std::string("byte ") + DIGITS[b >> 4] + DIGITS[b & 15] + " (not UTF-8)";
        }
        if (byte_of(static_cast<char32_t>(c)) < 0) {
            std::string quoted(1, '"');
            quoted.append(utf8.substr(start, pos - start));
            quoted.push_back('"');
            return quoted;
        }
    }
    return "";
}
