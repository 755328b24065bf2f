// pin_fields.cpp: field access, refusals and random bytes shared by the PIN, CMAC and check value rows.
#include "pin/pin_fields.h"

#include <algorithm>
#include <memory>
#include <string>

#include "core/catalogue.h"
#include "core/field.h"
#include "core/messages.h"
#include "core/seam.h"
#include "rsa/havege.h"


bool refuse(int index, PinRule rule)
{
    show_field_error(index, pin_rule_message(rule));
    return false;
}

std::vector<std::uint8_t> typed_hex_digits(int index)
{
    constexpr std::uint8_t NOT_A_DIGIT = 0x10;
    std::vector<std::uint8_t> digits;
    for (char c : g_window->text(field_edit_id[index], FIELD_MAX_TEXT)) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        const int value = hex_value(c);
        digits.push_back(value < 0 ? NOT_A_DIGIT : static_cast<std::uint8_t>(value));
    }
    return digits;
}


void show_characters(int index, std::string_view text)
{
    show_bytes(index, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

