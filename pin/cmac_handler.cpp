// cmac_handler.cpp: the CMAC rows (NIST SP 800-38B) with AES or Triple-DES: key, data and an optional
// MAC length in, the tag's leftmost bytes out.
#include <cstdint>

#include "core/controller.h"
#include "core/field.h"
#include "core/messages.h"
#include "pin/handlers.h"
#include "pin/pin_fields.h"
#include "pin/rows.h"
#include "symmetric/cmac.h"

namespace {

constexpr int KEY_FIELD = 0;
constexpr int DATA_FIELD = 1;
constexpr int LENGTH_FIELD = 2;
constexpr int MAC_MIN_BYTES = 4; // SP 800-38B: shorter tags need a risk analysis this tool cannot make

bool key_length_fits(BlockAlgorithm algorithm, std::int32_t length)
{
    if (algorithm == BlockAlgorithm::Aes)
        return length == 16 || length == 24 || length == 32;
    return length == 16 || length == 24;
}

// The typed length, or the whole block when the field is empty; -1 when out of range.
int mac_length(std::string_view digits, int block)
{
    if (digits.empty())
        return block;
    int value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > block)
            return -1;
    }
    return value < MAC_MIN_BYTES ? -1 : value;
}

} // namespace

int cmac_handler()
{
    const BlockAlgorithm algorithm = selected_row().id == OP_CMAC_AES ? BlockAlgorithm::Aes : BlockAlgorithm::Tdes;
    if (!field_load(KEY_FIELD, 0, 1) || !field_load(DATA_FIELD, 0, 1) || !field_load(LENGTH_FIELD, 0, 1))
        return 0;
    BlockKey key;
    const FieldBuffer& key_bytes = g_field[KEY_FIELD];
    if (!key_length_fits(algorithm, key_bytes.length) ||
        !block_key_set(key, algorithm, key_bytes.data, key_bytes.length)) {
        show_field_error(KEY_FIELD, MSG_INVALID_KEY_LENGTH);
        return 0;
    }
    const int length = mac_length(field_text(LENGTH_FIELD), key.block_bytes);
    if (length < 0) {
        show_field_error(LENGTH_FIELD, MSG_INVALID_MAC_LENGTH);
        return 0;
    }
    std::uint8_t tag[16];
    cmac(key, g_field[DATA_FIELD].data, static_cast<std::size_t>(g_field[DATA_FIELD].length), tag);
    show_bytes(4, {tag, static_cast<std::size_t>(length)});
    return 1;
}
