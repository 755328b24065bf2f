// pin_rows.cpp: the AES DUKPT PIN rows: an ISO 9564-1 format 4 block under the AES PIN key, or a
// format 0 block under the Triple-DES PIN key, built from PIN and PAN or read back to the PIN.
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "aes_dukpt/handlers.h"
#include "aes_dukpt/inputs.h"
#include "core/controller.h"
#include "core/field.h"
#include "core/messages.h"
#include "pin/pin_block.h"
#include "rsa/havege.h"

namespace {

bool tdea(KeyType type) { return type == KeyType::Tdea2 || type == KeyType::Tdea3; }

std::string_view digits(int index)
{
    return {reinterpret_cast<const char*>(g_field[index].data), static_cast<std::size_t>(g_field[index].length)};
}

// A broken rule is shown on the PAN field when it is the PAN's, else on field 0 (PIN or block).
bool refused(PinRule rule)
{
    if (rule == PinRule::Ok)
        return false;
    const bool pan = rule == PinRule::PanMissing || rule == PinRule::PanLength || rule == PinRule::PanDigit;
    show_field_error(pan ? 3 : 0, pin_rule_message(rule));
    return true;
}


bool load_pin_key(int format, BlockKey& pin_key)
{
    KsnInput ksn;
    if (!load_ksn(1, true, ZeroCounter::Refused, ksn))
        return false;
    if (format == PIN_FORMAT_0 && !ksn.type_given) {
        ksn.type = KeyType::Tdea2;
        ksn.type_given = true;
    }
    if (ksn.type_given && tdea(ksn.type) != (format == PIN_FORMAT_0)) {
        show_field_error(1, MSG_KEY_TYPE);
        return false;
    }
    DukptKey initial;
    if (!load_initial_key(ksn, initial) || !settle_key_type(1, ksn, initial))
        return false;
    const DukptKey key = working_key(initial, std::span<const std::uint8_t, 8>(ksn.ksn, 8), ksn.counter,
                                     KeyUsage::PinEncryption, ksn.type);
    block_key_set(pin_key, tdea(ksn.type) ? BlockAlgorithm::Tdes : BlockAlgorithm::Aes, key.bytes, key.length);
    return true;
}

int pin_row(int format)
{
    const bool reverse = (selected_row().flags & OPF_REVERSE) != 0;
    const int block_bytes = format == PIN_FORMAT_4 ? FORMAT4_BLOCK_BYTES : PIN_BLOCK_BYTES;
    BlockKey key;
    if (!field_load(0, reverse ? -block_bytes : 0, 1) || !field_load(3, 0, 1) || !load_pin_key(format, key))
        return 0;
    const std::string_view pan = digits(3);

    if (!reverse) {
        std::uint8_t block[FORMAT4_BLOCK_BYTES];
        if (format == PIN_FORMAT_4) {
            std::uint8_t random[8], pin_field[16], pan_field[16];
            havege_random_bytes({random, 8});
            if (refused(format4_pin_field(digits(0), random, pin_field)) || refused(format4_pan_field(pan, pan_field)))
                return 0;
            format4_encipher(key, pin_field, pan_field, block);
        } else {
            if (refused(pin_block_build(PIN_FORMAT_0, digits(0), pan, {}, block)))
                return 0;
            block_encrypt(key, block, block);
        }
        show_bytes(4, {block, static_cast<std::size_t>(block_bytes)});
        return 1;
    }

    std::string pin;
    if (format == PIN_FORMAT_4) {
        std::uint8_t pan_field[16], pin_field[16];
        if (refused(format4_pan_field(pan, pan_field)))
            return 0;
        format4_decipher(key, g_field[0].data, pan_field, pin_field);
        if (refused(format4_read_pin_field(pin_field, pin)))
            return 0;
    } else {
        std::uint8_t block[PIN_BLOCK_BYTES];
        block_decrypt(key, g_field[0].data, block);
        int read_format = -1;
        if (refused(pin_block_read(block, pan, pin, read_format)) ||
            (read_format != PIN_FORMAT_0 && refused(PinRule::ControlDigit)))
            return 0;
    }
    show_bytes(4, {reinterpret_cast<const std::uint8_t*>(pin.data()), static_cast<std::size_t>(static_cast<int>(pin.size()))});
    return 1;
}

} // namespace

int aes_dukpt_pin_format4_handler() { return pin_row(PIN_FORMAT_4); }
int aes_dukpt_pin_format0_handler() { return pin_row(PIN_FORMAT_0); }
