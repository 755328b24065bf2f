// ibm3624.cpp: IBM 3624 validation data block, natural PIN, offset and PIN from offset.
#include "cards/ibm3624.h"

#include "cards/decimalise.h"

std::string validation_data_from_pan(std::string_view pan, std::size_t start, std::size_t length)
{
    return std::string(pan.substr(start, length));
}

NaturalPinSteps natural_pin(std::string_view data, char pad, const BlockKey& key, std::string_view table)
{
    NaturalPinSteps steps{};
    std::string padded(data);
    padded.resize(16, pad);
    pack_hex(padded, steps.data_block);
    block_encrypt(key, steps.data_block.data(), steps.enciphered.data());
    steps.decimalised = decimalise_table(hex_digits(steps.enciphered), table);
    return steps;
}

namespace {

char digit_sum(char a, char b, int sign) { return static_cast<char>('0' + ((a - '0') + sign * (b - '0') + 10) % 10); }

} // namespace

std::string pin_offset(std::string_view pin, std::string_view natural, std::size_t check_length)
{
    std::string offset;
    for (std::size_t i = pin.size() - check_length; i < pin.size(); ++i)
        offset.push_back(digit_sum(pin[i], natural[i], -1));
    return offset;
}

std::string pin_from_offset(std::string_view natural, std::string_view offset)
{
    std::string pin(natural);
    const std::size_t first = pin.size() - offset.size();
    for (std::size_t i = 0; i < offset.size(); ++i)
        pin[first + i] = digit_sum(natural[first + i], offset[i], 1);
    return pin;
}
