// format4_handler.cpp: the ISO 9564-1:2017 format 4 rows: a PIN and PAN enciphered under an AES key,
// the PIN deciphered back, and the plain-text PIN field and PAN field on their own.
#include <algorithm>
#include <cstdint>
#include <string>

#include "core/controller.h"
#include "core/field.h"
#include "core/messages.h"
#include "pin/handlers.h"
#include "pin/pin_fields.h"
#include "rsa/havege.h"
#include "symmetric/block_key.h"

namespace {

constexpr int PIN_FIELD = 0;
constexpr int BLOCK_FIELD = 0;
constexpr int PAN_FIELD = 1;
constexpr int KEY_FIELD = 2;
constexpr int RANDOM_BYTES = 8;

// The PIN field (its random part still zero) and the PAN field from fields 0 and 1.
bool build_fields(std::uint8_t pin_field[16], std::uint8_t pan_field[16])
{
    if (!field_load(PIN_FIELD, 0, 1) || !field_load(PAN_FIELD, 0, 1))
        return false;
    const std::uint8_t no_random[RANDOM_BYTES] = {};
    if (PinRule rule = format4_pin_field(field_text(PIN_FIELD), no_random, pin_field); rule != PinRule::Ok)
        return refuse(PIN_FIELD, rule);
    if (PinRule rule = format4_pan_field(field_text(PAN_FIELD), pan_field); rule != PinRule::Ok)
        return refuse(PAN_FIELD, rule);
    return true;
}

// The PIN field's last 8 bytes: typed (exactly 8) in field index, or drawn when it is empty.
bool load_random(int index, std::uint8_t pin_field[16])
{
    if (!field_load(index, 0, 1))
        return false;
    const FieldBuffer& typed = g_field[index];
    if (typed.length == 0) {
        havege_random_bytes({pin_field + 8, RANDOM_BYTES});
    } else if (typed.length == RANDOM_BYTES) {
        std::copy_n(typed.data, RANDOM_BYTES, pin_field + 8);
    } else {
        show_field_error(index, MSG_INVALID_FIELD_SIZE);
        return false;
    }
    return true;
}

bool load_aes_key(BlockKey& key)
{
    if (!field_load(KEY_FIELD, 0, 1))
        return false;
    if (!block_key_set(key, BlockAlgorithm::Aes, g_field[KEY_FIELD].data, g_field[KEY_FIELD].length)) {
        show_field_error(KEY_FIELD, MSG_INVALID_KEY_LENGTH);
        return false;
    }
    return true;
}

int encipher()
{
    std::uint8_t pin_field[16];
    std::uint8_t pan_field[16];
    BlockKey key;
    if (!build_fields(pin_field, pan_field) || !load_aes_key(key) || !load_random(3, pin_field))
        return 0;
    std::uint8_t block[FORMAT4_BLOCK_BYTES];
    format4_encipher(key, pin_field, pan_field, block);
    show_bytes(4, block);
    return 1;
}

int decipher()
{
    if (!field_load(BLOCK_FIELD, 0, 1) || !field_load(PAN_FIELD, 0, 1))
        return 0;
    if (g_field[BLOCK_FIELD].length != FORMAT4_BLOCK_BYTES)
        return refuse(BLOCK_FIELD, PinRule::BlockLength);
    std::uint8_t pan_field[16];
    if (PinRule rule = format4_pan_field(field_text(PAN_FIELD), pan_field); rule != PinRule::Ok)
        return refuse(PAN_FIELD, rule);
    BlockKey key;
    if (!load_aes_key(key))
        return 0;

    std::uint8_t pin_field[16];
    format4_decipher(key, g_field[BLOCK_FIELD].data, pan_field, pin_field);
    std::string pin;
    if (PinRule rule = format4_read_pin_field(pin_field, pin); rule != PinRule::Ok)
        return refuse(BLOCK_FIELD, rule);
    show_bytes(3, pin_field);
    show_characters(4, pin);
    return 1;
}

} // namespace

int format4_encipher_handler() { return (selected_row().flags & OPF_REVERSE) ? decipher() : encipher(); }

int format4_fields_handler()
{
    std::uint8_t pin_field[16];
    std::uint8_t pan_field[16];
    if (!build_fields(pin_field, pan_field) || !load_random(2, pin_field))
        return 0;
    show_bytes(3, pan_field);
    show_bytes(4, pin_field);
    return 1;
}
