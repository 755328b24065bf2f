// check_value.cpp: the key check value line beside field 2's title, kept up to date while a key is typed.
#include <cstdint>
#include <cstdio>

#include "aes_dukpt/rows.h"
#include "core/controller.h"
#include "core/field.h"
#include "core/handlers.h"
#include "pin/rows.h"
#include "symmetric/block_key.h"
#include "symmetric/cmac.h"

namespace {

// The key lengths each row's check value admits; any id not listed takes a two-key Triple-DES key.
// Rows whose field 2 holds an AES key (the AES DUKPT rows' BDK or initial key among them).
bool takes_aes_key(std::int32_t id) {
    switch (id) {
    case OP_AES:
    case OP_PIN_FORMAT4:
    case OP_AES_DUKPT_INITIAL_KEY:
    case OP_AES_DUKPT_WORKING_KEY:
    case OP_AES_DUKPT_INTERMEDIATE_KEY:
    case OP_AES_DUKPT_PIN_FORMAT4:
    case OP_AES_DUKPT_PIN_FORMAT0:
    case OP_AES_DUKPT_MAC:
    case OP_AES_DUKPT_DATA: return true;
    default: return false;
    }
}

bool key_length_fits(std::int32_t id, std::int32_t length) {
    if (takes_aes_key(id))
        return length == 16 || length == 24 || length == 32;
    switch (id) {

    case OP_DES:
    case OP_MKWK_DES: return length == 8;
    case OP_TDES_K24: return length == 24;
    default: return length == 16;
    }
}

// A hexadecimal key with an odd number of digits is still being typed: it has no value yet.
bool key_text_has_odd_digits() {
    if (g_window->checked(field_ascii_id[2]))
        return false;
    std::int32_t length = 0;
    return field_parse(field_edit_id[2], 0, nullptr, 0, &length, 0) == PARSE_ODD_DIGITS;
}

} // namespace

void show_check_value() {
    const FieldBuffer& key = g_field[2];
    const std::int32_t id = selected_row().id;
    if (!key_length_fits(id, key.length) || key_text_has_odd_digits()) {
        g_window->set_text(IDC_CHECK_VALUE, "CheckVal = ???");
        return;
    }

    // The algorithm by row; key_length_fits has checked the length it takes.
    BlockAlgorithm algorithm = BlockAlgorithm::Tdes;
    if (takes_aes_key(id))
        algorithm = BlockAlgorithm::Aes;
    else if (id == OP_DES || id == OP_MKWK_DES)
        algorithm = BlockAlgorithm::Des;
    BlockKey block_key;
    block_key_set(block_key, algorithm, key.data, key.length);
    std::uint8_t value[16];
    legacy_check_value(block_key, value);

    // The first four bytes, whatever the algorithm.
    static const char digits[] = "0123456789ABCDEF";
    char hex[9] = {};
    for (int i = 0; i < 4; ++i) {
        hex[2 * i] = digits[value[i] >> 4];
        hex[2 * i + 1] = digits[value[i] & 15];
    }
    char line[32];
    std::snprintf(line, sizeof line, "CheckVal = %8.8s", hex);
    g_window->set_text(IDC_CHECK_VALUE, line);
}
