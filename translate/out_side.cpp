// out_side.cpp: reads the output side of a translation and builds its block, drawing fill digits or
// format 4's random bytes from the program's generator when none are typed.
#include "translate/out_side.h"

#include <vector>

#include "core/field.h"
#include "core/messages.h"
#include "pin/pin_fields.h"
#include "rsa/havege.h"

namespace {

constexpr std::size_t RANDOM_BYTES = 8;

// Fill digits drawn at random: any value for format 1, A to F (unbiased) for format 3.
std::vector<std::uint8_t> drawn_fill(int format, std::size_t count)
{
    std::vector<std::uint8_t> fill;
    while (fill.size() < count) {
        std::array<std::uint8_t, 16> bytes;
        havege_random_bytes(bytes);
        for (std::uint8_t byte : bytes) {
            if (fill.size() < count && format == PIN_FORMAT_1)
                fill.push_back(byte & 0x0F);
            else if (fill.size() < count && byte < 252)
                fill.push_back(static_cast<std::uint8_t>(0xA + byte % 6));
        }
    }
    return fill;
}

} // namespace

std::vector<std::uint8_t> part_bytes(std::string_view hex)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(hex_value(hex[i]) << 4 | hex_value(hex[i + 1])));
    return bytes;
}

bool load_format(int index, std::string_view typed, int& format)
{
    format = typed.size() == 1 ? typed[0] - '0' : -1;
    if (format == PIN_FORMAT_2) {
        show_field_error(index, MSG_FORMAT_2);
        return false;
    }
    if (format < PIN_FORMAT_0 || format > PIN_FORMAT_4) {
        show_field_error(index, MSG_INVALID_FORMAT);
        return false;
    }
    return true;
}

bool load_out_side(int index, OutSide& out)
{
    if (!field_load(index, 0, 1))
        return false;
    std::array<std::string, 3> parts;
    if (!field_parts(index, parts) || !load_format(index, parts[1], out.format))
        return false;
    if (!format_key(out.key, out.format, part_bytes(parts[0]))) {
        show_field_error(index, MSG_INVALID_KEY_LENGTH);
        return false;
    }
    out.fill = parts[2];
    return true;
}

bool build_out_block(int index, const OutSide& out, std::string_view pin, std::string_view pan, ClearPin& clear,
                     std::uint8_t block[16])
{
    std::vector<std::uint8_t> digits;
    for (char c : out.fill) {
        if (hex_value(c) < 0)
            return refuse(index, PinRule::FillDigit);
        digits.push_back(static_cast<std::uint8_t>(hex_value(c)));
    }
    std::vector<std::uint8_t> fill, random(RANDOM_BYTES);
    if (out.format == PIN_FORMAT_4) {
        if (digits.empty())
            havege_random_bytes(random);
        else if (digits.size() != 2 * RANDOM_BYTES)
            return refuse(index, PinRule::FillLength);
        for (std::size_t i = 0; i < digits.size(); i += 2)
            random[i / 2] = static_cast<std::uint8_t>(digits[i] << 4 | digits[i + 1]);
    } else if (out.format != PIN_FORMAT_0) {
        const auto count = static_cast<std::size_t>(pin_fill_digits(pin.size()));
        if (!digits.empty() && digits.size() < count)
            return refuse(index, PinRule::FillLength);
        fill = digits.empty() ? drawn_fill(out.format, count) : std::vector<std::uint8_t>(digits.begin(), digits.begin() + static_cast<std::ptrdiff_t>(count));
    }
    const PinRule rule = encode_pin_block(out.format, out.key, pin, pan, fill, random, clear, block);
    return rule == PinRule::Ok || refuse(index, rule);
}
