// check_value.cpp: the key check value line beside field 2's title, kept up to date while a key is typed.
#include <cstdint>
#include <cstdio>
#include <initializer_list>

#include "core/catalogue.h"
#include "core/field.h"
#include "core/handlers.h"
#include "core/seam.h"
#include "symmetric/block_key.h"
#include "symmetric/cmac.h"

namespace {

// A hexadecimal key with an odd number of digits is still being typed: it has no value yet.
bool key_text_has_odd_digits() {
    if (g_window->checked(field_ascii_id[2]))
        return false;
    std::int32_t length = 0;
    return field_parse(field_edit_id[2], 0, nullptr, 0, &length, 0) == PARSE_ODD_DIGITS;
}

// The line for the key in field 2 under the algorithm and the key lengths the row names.
void show_check_value(BlockAlgorithm algorithm, std::initializer_list<std::int32_t> lengths) {
    const FieldBuffer& key = g_field[2];
    bool fits = false;
    for (std::int32_t length : lengths)
        fits = fits || key.length == length;
    if (!fits || key_text_has_odd_digits()) {
        g_window->set_text(IDC_CHECK_VALUE, "CheckVal = ???");
        return;
    }
    BlockKey block_key;
    block_key_set(block_key, algorithm, key.data, key.length);
    std::uint8_t value[16];
    legacy_check_value(block_key, value);

    // The first four bytes, whatever the algorithm.
    char line[32];
    std::snprintf(line, sizeof line, "CheckVal = %02X%02X%02X%02X", value[0], value[1], value[2], value[3]);
    g_window->set_text(IDC_CHECK_VALUE, line);
}

} // namespace

void check_value_des() { show_check_value(BlockAlgorithm::Des, {8}); }
void check_value_tdes() { show_check_value(BlockAlgorithm::Tdes, {16}); }
void check_value_tdes24() { show_check_value(BlockAlgorithm::Tdes, {24}); }
void check_value_aes() { show_check_value(BlockAlgorithm::Aes, {16, 24, 32}); }
