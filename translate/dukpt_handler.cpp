// dukpt_handler.cpp: PIN translation from a terminal's DUKPT block to a zone key: the PIN key derived
// from the BDK (or initial key) and KSN, the block read in its format (from its control digit under TDES
// DUKPT, format 4 under AES DUKPT), then built on the output side.
#include <array>
#include <string>

#include "core/controller.h"
#include "core/field.h"
#include "core/seam.h"
#include "pin/pin_fields.h"
#include "translate/dukpt_keys.h"
#include "translate/handlers.h"
#include "translate/out_side.h"
#include "translate/rows.h"

namespace {

constexpr int IN_FIELD = 0;
constexpr int OUT_FIELD = 1;
constexpr int BASE_FIELD = 2;
constexpr int PIN_KEY_FIELD = 3;

} // namespace

int pin_translate_dukpt_handler()
{
    const auto& row = *static_cast<const DukptTranslateRow*>(selected_row().context);
    if (!field_load(IN_FIELD, 0, 1))
        return 0;
    std::array<std::string, 3> in; // PIN block, KSN, PAN
    if (!field_parts(IN_FIELD, in))
        return 0;
    OutSide out;
    if (!load_out_side(OUT_FIELD, out) || !field_load(BASE_FIELD, 0, 1))
        return 0;
    const bool use_initial_key = g_window->checked(IDC_USE_IPEK);
    std::vector<std::uint8_t> pin_key;
    if (row.aes) {
        if (!aes_dukpt_pin_key(IN_FIELD, part_bytes(in[1]), BASE_FIELD, field_bytes(BASE_FIELD), use_initial_key, pin_key))
            return 0;
    } else {
        if (field_bytes(BASE_FIELD).size() != 16) {
            show_field_error(BASE_FIELD, MSG_INVALID_KEY_LENGTH);
            return 0;
        }
        tdes_dukpt_pin_key(part_bytes(in[1]), field_bytes(BASE_FIELD), use_initial_key, pin_key);
    }
    const int format_in = row.aes ? PIN_FORMAT_4 : PIN_FORMAT_0;
    BlockKey key_in;
    format_key(key_in, format_in, pin_key);
    const std::vector<std::uint8_t> block = part_bytes(in[0]);
    if (block.size() != format_block_bytes(format_in))
        return refuse(IN_FIELD, PinRule::BlockLength);

    // Under TDES DUKPT the control digit of the clear block says its format.
    int format = format_in;
    if (!row.aes) {
        std::uint8_t clear[PIN_BLOCK_BYTES];
        block_decrypt(key_in, block.data(), clear);
        format = clear[0] >> 4;
        if (format == PIN_FORMAT_2) {
            show_field_error(IN_FIELD, MSG_FORMAT_2);
            return 0;
        }
        if (format != PIN_FORMAT_0 && format != PIN_FORMAT_1 && format != PIN_FORMAT_3)
            return refuse(IN_FIELD, PinRule::ControlDigit);
    }
    const std::string& pan = in[2];
    for (int f : {format, out.format})
        if (const PinRule rule = check_pan(f, pan); rule != PinRule::Ok)
            return refuse(IN_FIELD, rule);
    std::string pin;
    ClearPin clear_in;
    if (const PinRule rule = decode_pin_block(format, key_in, block, pan, pin, clear_in); rule != PinRule::Ok)
        return refuse(IN_FIELD, rule);
    ClearPin clear_out;
    std::uint8_t block_out[16];
    if (!build_out_block(OUT_FIELD, out, pin, pan, clear_out, block_out))
        return 0;
    show_bytes(PIN_KEY_FIELD, pin_key);
    show_bytes(4, {block_out, clear_out.length});
    return 1;
}
