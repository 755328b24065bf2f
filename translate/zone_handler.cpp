// zone_handler.cpp: PIN translation from zone to zone: the block deciphered under the key in and read in
// its format, the PIN built in the format out and enciphered under the key out; both clear sides shown.
#include <array>
#include <string>

#include "core/field.h"
#include "core/messages.h"
#include "pin/pin_fields.h"
#include "translate/handlers.h"
#include "translate/out_side.h"

namespace {

constexpr int IN_FIELD = 0;
constexpr int OUT_FIELD = 1;
constexpr int CLEAR_IN_FIELD = 2;
constexpr int CLEAR_OUT_FIELD = 3;

} // namespace

int pin_translate_zone_handler()
{
    if (!field_load(IN_FIELD, 0, 1))
        return 0;
    std::array<std::string, 4> in; // PIN block, key in, format in, PAN
    int format_in = 0;
    if (!field_parts(IN_FIELD, in) || !load_format(IN_FIELD, in[2], format_in))
        return 0;
    BlockKey key_in;
    if (!format_key(key_in, format_in, part_bytes(in[1]))) {
        show_field_error(IN_FIELD, MSG_INVALID_KEY_LENGTH);
        return 0;
    }
    OutSide out;
    if (!load_out_side(OUT_FIELD, out))
        return 0;
    const std::string& pan = in[3];
    for (int format : {format_in, out.format})
        if (const PinRule rule = check_pan(format, pan); rule != PinRule::Ok)
            return refuse(IN_FIELD, rule);
    const std::vector<std::uint8_t> block = part_bytes(in[0]);
    if (block.size() != format_block_bytes(format_in))
        return refuse(IN_FIELD, PinRule::BlockLength);

    std::string pin;
    ClearPin clear_in;
    const PinRule rule = decode_pin_block(format_in, key_in, block, pan, pin, clear_in);
    show_bytes(CLEAR_IN_FIELD, {clear_in.bytes, clear_in.length});
    if (rule != PinRule::Ok)
        return refuse(IN_FIELD, rule);
    ClearPin clear_out;
    std::uint8_t block_out[16];
    if (!build_out_block(OUT_FIELD, out, pin, pan, clear_out, block_out))
        return 0;
    show_bytes(CLEAR_OUT_FIELD, {clear_out.bytes, clear_out.length});
    show_bytes(4, {block_out, clear_out.length});
    return 1;
}
