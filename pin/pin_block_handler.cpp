// pin_block_handler.cpp: the clear PIN block rows: build one of formats 0 to 3 from PIN, PAN and fill,
// and read one back to its PIN, the format taken from its control digit.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/controller.h"
#include "core/field.h"
#include "core/messages.h"
#include "pin/handlers.h"
#include "pin/pin_fields.h"
#include "rsa/havege.h"
#include "pin/rows.h"

namespace {

constexpr int PIN_FIELD = 0;
constexpr int PAN_FIELD = 1;
constexpr int FILL_FIELD = 2;
constexpr int FILL_USED_FIELD = 3;
constexpr int BLOCK_FIELD = 0;
constexpr int EXPECTED_FORMAT_FIELD = 2;


// Which field a build's broken rule points at.
int build_field_of(PinRule rule)
{
    switch (rule) {
    case PinRule::PanMissing:
    case PinRule::PanLength:
    case PinRule::PanDigit: return PAN_FIELD;
    case PinRule::FillDigit:
    case PinRule::FillLength: return FILL_FIELD;
    default: return PIN_FIELD;
    }
}

// Fill digits drawn at random: any value for format 1, A to F (unbiased) for format 3.
std::vector<std::uint8_t> random_fill(int format, std::size_t count)
{
    std::vector<std::uint8_t> fill;
    while (fill.size() < count) {
        std::array<std::uint8_t, 16> bytes;
        havege_random_bytes(bytes);
        for (std::uint8_t byte : bytes) {
            if (fill.size() == count)
                break;
            if (format == PIN_FORMAT_1)
                fill.push_back(byte & 0x0F);
            else if (byte < 252)
                fill.push_back(static_cast<std::uint8_t>(0xA + byte % 6));
        }
    }
    return fill;
}

} // namespace

int pin_block_build_handler()
{
    const int format = selected_row().id - OP_PIN_FORMAT0;
    const bool takes_pan = format == PIN_FORMAT_0 || format == PIN_FORMAT_3;
    const bool takes_fill = format == PIN_FORMAT_1 || format == PIN_FORMAT_3;
    if (!field_load(PIN_FIELD, 0, 1) || (takes_pan && !field_load(PAN_FIELD, 0, 1)))
        return 0;
    const std::string_view pin = field_text(PIN_FIELD);
    const std::string_view pan = takes_pan ? field_text(PAN_FIELD) : std::string_view{};

    const std::size_t fill_count = static_cast<std::size_t>(std::max(pin_fill_digits(pin.size()), 0));
    std::vector<std::uint8_t> fill;
    bool typed = false;
    if (takes_fill) {
        fill = typed_hex_digits(FILL_FIELD);
        typed = !fill.empty();
        if (!typed)
            fill = random_fill(format, fill_count);
    }

    std::uint8_t block[PIN_BLOCK_BYTES];
    PinRule rule = pin_block_build(format, pin, pan, fill, block);
    if (rule == PinRule::Ok && typed && fill.size() != fill_count)
        rule = PinRule::FillLength;
    if (rule != PinRule::Ok)
        return refuse(build_field_of(rule), rule);

    if (takes_fill) {
        std::string used;
        for (std::size_t i = 0; i < fill_count; ++i)
            used.push_back(HEX_DIGITS[fill[i]]);
        show_characters(FILL_USED_FIELD, used);
    }
    show_bytes(4, block);
    return 1;
}

int pin_block_read_handler()
{
    if (!field_load(BLOCK_FIELD, 0, 1) || !field_load(PAN_FIELD, 0, 1) || !field_load(EXPECTED_FORMAT_FIELD, 0, 1))
        return 0;
    const std::span<const std::uint8_t> block = field_bytes(BLOCK_FIELD);
    const std::string_view expected = field_text(EXPECTED_FORMAT_FIELD);
    if (!expected.empty() && (expected.size() != 1 || expected[0] > '3')) {
        show_field_error(EXPECTED_FORMAT_FIELD, MSG_INVALID_FORMAT);
        return 0;
    }
    if (!expected.empty() && block.size() == PIN_BLOCK_BYTES && (block[0] >> 4) != expected[0] - '0')
        return refuse(BLOCK_FIELD, PinRule::ControlDigit);

    std::string pin;
    std::string fill;
    int format = 0;
    const PinRule rule = pin_block_read(block, field_text(PAN_FIELD), pin, format, fill);
    if (rule != PinRule::Ok) {
        const bool pan_rule = rule == PinRule::PanMissing || rule == PinRule::PanLength || rule == PinRule::PanDigit;
        return refuse(pan_rule ? PAN_FIELD : BLOCK_FIELD, rule);
    }
    show_characters(FILL_USED_FIELD, fill);
    show_characters(4, pin);
    return 1;
}
