// pin_block.cpp: ISO 9564-1 PIN blocks, formats 0 to 3 (clear, 8 bytes) and format 4 (AES, 16 bytes).
#include "pin/pin_block.h"

#include "core/field.h"

#include <algorithm>
#include <array>

namespace {

constexpr int PAN_MAX_DIGITS = 19;
constexpr int PAN_MIN_DIGITS_0_3 = 13; // twelve digits and the check digit
constexpr std::uint8_t FILL_F = 0xF;
constexpr std::uint8_t FILL_A = 0xA;


// A field of 2 * N digits held as bytes, read and written one digit (nibble) at a time.
std::uint8_t digit_at(const std::uint8_t* bytes, int index)
{
    return index % 2 == 0 ? bytes[index / 2] >> 4 : bytes[index / 2] & 0x0F;
}

void set_digit(std::uint8_t* bytes, int index, std::uint8_t value)
{
    std::uint8_t& byte = bytes[index / 2];
    byte = index % 2 == 0 ? static_cast<std::uint8_t>((byte & 0x0F) | value << 4)
                          : static_cast<std::uint8_t>((byte & 0xF0) | (value & 0x0F));
}

bool all_decimal(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

PinRule check_pin(std::string_view pin)
{
    if (pin.size() < PIN_MIN_DIGITS || pin.size() > PIN_MAX_DIGITS)
        return PinRule::PinLength;
    return all_decimal(pin) ? PinRule::Ok : PinRule::PinDigit;
}

// Control, length and PIN digits, the first 2 + length digits of a PIN field.
void put_pin(std::uint8_t* field, int control, std::string_view pin)
{
    set_digit(field, 0, static_cast<std::uint8_t>(control));
    set_digit(field, 1, static_cast<std::uint8_t>(pin.size()));
    for (std::size_t i = 0; i < pin.size(); ++i)
        set_digit(field, static_cast<int>(2 + i), static_cast<std::uint8_t>(pin[i] - '0'));
}

// Length and PIN digits of a PIN field; the fill digits behind them are left to the caller.
PinRule take_pin(const std::uint8_t* field, std::string& pin)
{
    const int length = digit_at(field, 1);
    if (length < PIN_MIN_DIGITS || length > PIN_MAX_DIGITS)
        return PinRule::PinLength;
    std::string digits;
    for (int i = 0; i < length; ++i) {
        const std::uint8_t digit = digit_at(field, 2 + i);
        if (digit > 9)
            return PinRule::PinDigit;
        digits.push_back(static_cast<char>('0' + digit));
    }
    pin = digits;
    return PinRule::Ok;
}

// Formats 0 and 3: four zero digits, then the 12 rightmost PAN digits without the check digit.
PinRule pan_block(std::string_view pan, std::uint8_t out[8])
{
    if (pan.empty())
        return PinRule::PanMissing;
    if (!all_decimal(pan))
        return PinRule::PanDigit;
    if (pan.size() < PAN_MIN_DIGITS_0_3 || pan.size() > PAN_MAX_DIGITS)
        return PinRule::PanLength;
    std::fill_n(out, 8, 0);
    const std::string_view twelve = pan.substr(pan.size() - 13, 12);
    for (int i = 0; i < 12; ++i)
        set_digit(out, 4 + i, static_cast<std::uint8_t>(twelve[i] - '0'));
    return PinRule::Ok;
}

bool uses_pan(int format) { return format == PIN_FORMAT_0 || format == PIN_FORMAT_3; }

bool fill_allowed(int format, std::uint8_t digit)
{
    switch (format) {
    case PIN_FORMAT_1: return true;              // transaction field or random digits
    case PIN_FORMAT_3: return digit >= FILL_A;   // random digits A to F
    default: return digit == FILL_F;             // formats 0 and 2
    }
}

} // namespace

std::string_view pin_rule_message(PinRule rule)
{
    switch (rule) {
    case PinRule::Ok: return "";
    case PinRule::ControlDigit: return "Invalid control digit!";
    case PinRule::PinLength: return "Invalid PIN length!";
    case PinRule::PinDigit: return "Invalid PIN digit!";
    case PinRule::FillDigit: return "Invalid fill digit!";
    case PinRule::PanMissing: return "PAN missing!";
    case PinRule::PanLength: return "Invalid PAN length!";
    case PinRule::BlockLength: return "Invalid PIN block length!";
    case PinRule::PanDigit: return "Invalid PAN digit!";
    case PinRule::FillLength: return "Invalid fill length!";
    }
    return "";
}

PinRule pin_block_build(int format, std::string_view pin, std::string_view pan, std::span<const std::uint8_t> fill,
                        std::uint8_t block[8])
{
    if (format < PIN_FORMAT_0 || format > PIN_FORMAT_3)
        return PinRule::ControlDigit;
    if (PinRule rule = check_pin(pin); rule != PinRule::Ok)
        return rule;
    std::uint8_t pan_part[8] = {};
    if (uses_pan(format))
        if (PinRule rule = pan_block(pan, pan_part); rule != PinRule::Ok)
            return rule;

    const int fill_count = pin_fill_digits(pin.size());
    const bool takes_fill = format == PIN_FORMAT_1 || format == PIN_FORMAT_3;
    if (takes_fill && fill.size() < static_cast<std::size_t>(fill_count))
        return PinRule::FillLength;
    std::uint8_t built[8] = {};
    put_pin(built, format, pin);
    for (int i = 0; i < fill_count; ++i) {
        const std::uint8_t digit = takes_fill ? fill[static_cast<std::size_t>(i)] : FILL_F;
        if (digit > 0xF || !fill_allowed(format, digit))
            return PinRule::FillDigit;
        set_digit(built, 2 + static_cast<int>(pin.size()) + i, digit);
    }
    for (int i = 0; i < 8; ++i)
        block[i] = built[i] ^ pan_part[i];
    return PinRule::Ok;
}

PinRule pin_block_read(std::span<const std::uint8_t> block, std::string_view pan, std::string& pin, int& format,
                       std::string& fill)
{
    if (block.size() != PIN_BLOCK_BYTES)
        return PinRule::BlockLength;
    const int control = block[0] >> 4;
    if (control > PIN_FORMAT_3)
        return PinRule::ControlDigit;
    std::uint8_t field[8] = {};
    if (uses_pan(control))
        if (PinRule rule = pan_block(pan, field); rule != PinRule::Ok)
            return rule;
    for (int i = 0; i < 8; ++i)
        field[i] ^= block[i];

    std::string digits;
    if (PinRule rule = take_pin(field, digits); rule != PinRule::Ok)
        return rule;
    std::string fill_digits;
    for (int i = 2 + static_cast<int>(digits.size()); i < 16; ++i) {
        const std::uint8_t digit = digit_at(field, i);
        if (!fill_allowed(control, digit))
            return PinRule::FillDigit;
        fill_digits.push_back(HEX_DIGITS[digit]);
    }
    pin = digits;
    format = control;
    fill = fill_digits;
    return PinRule::Ok;
}

PinRule pin_block_read(std::span<const std::uint8_t> block, std::string_view pan, std::string& pin, int& format)
{
    std::string fill;
    return pin_block_read(block, pan, pin, format, fill);
}

PinRule format4_pin_field(std::string_view pin, const std::uint8_t random[8], std::uint8_t field[16])
{
    if (PinRule rule = check_pin(pin); rule != PinRule::Ok)
        return rule;
    std::uint8_t built[16] = {};
    put_pin(built, PIN_FORMAT_4, pin);
    for (int i = 2 + static_cast<int>(pin.size()); i < 16; ++i)
        set_digit(built, i, FILL_A);
    std::copy_n(random, 8, built + 8);
    std::copy_n(built, 16, field);
    return PinRule::Ok;
}

PinRule format4_pan_field(std::string_view pan, std::uint8_t field[16])
{
    if (!all_decimal(pan))
        return PinRule::PanDigit;
    if (pan.empty() || pan.size() > PAN_MAX_DIGITS)
        return PinRule::PanLength;
    std::uint8_t built[16] = {};
    const int length = static_cast<int>(pan.size());
    set_digit(built, 0, static_cast<std::uint8_t>(std::max(length - 12, 0)));
    const int first = 1 + std::max(12 - length, 0); // shorter PANs are right-justified in 12 digits
    for (int i = 0; i < length; ++i)
        set_digit(built, first + i, static_cast<std::uint8_t>(pan[static_cast<std::size_t>(i)] - '0'));
    std::copy_n(built, 16, field);
    return PinRule::Ok;
}

void format4_encipher(const BlockKey& aes, const std::uint8_t pin_field[16], const std::uint8_t pan_field[16],
                      std::uint8_t block[16])
{
    std::uint8_t inner[16];
    block_encrypt(aes, pin_field, inner);
    for (int i = 0; i < 16; ++i)
        inner[i] ^= pan_field[i];
    block_encrypt(aes, inner, block);
}

void format4_decipher(const BlockKey& aes, const std::uint8_t block[16], const std::uint8_t pan_field[16],
                      std::uint8_t pin_field[16])
{
    std::uint8_t inner[16];
    block_decrypt(aes, block, inner);
    for (int i = 0; i < 16; ++i)
        inner[i] ^= pan_field[i];
    block_decrypt(aes, inner, pin_field);
}

PinRule format4_read_pin_field(const std::uint8_t pin_field[16], std::string& pin)
{
    if (digit_at(pin_field, 0) != PIN_FORMAT_4)
        return PinRule::ControlDigit;
    std::string digits;
    if (PinRule rule = take_pin(pin_field, digits); rule != PinRule::Ok)
        return rule;
    for (int i = 2 + static_cast<int>(digits.size()); i < 16; ++i)
        if (digit_at(pin_field, i) != FILL_A)
            return PinRule::FillDigit;
    pin = digits;
    return PinRule::Ok;
}
