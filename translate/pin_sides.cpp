// pin_sides.cpp: decode and encode one side of a translation over the ISO 9564-1 blocks of pin/.
#include "translate/pin_sides.h"

#include <algorithm>

bool format_key(BlockKey& key, int format, std::span<const std::uint8_t> bytes)
{
    const BlockAlgorithm algorithm = format == PIN_FORMAT_4 ? BlockAlgorithm::Aes : BlockAlgorithm::Tdes;
    return block_key_set(key, algorithm, bytes.data(), static_cast<int>(bytes.size()));
}

std::size_t format_block_bytes(int format) { return format == PIN_FORMAT_4 ? FORMAT4_BLOCK_BYTES : PIN_BLOCK_BYTES; }

bool format_takes_pan(int format) { return format != PIN_FORMAT_1; }

PinRule check_pan(int format, std::string_view pan)
{
    if (!format_takes_pan(format))
        return PinRule::Ok;
    if (pan.empty())
        return PinRule::PanMissing;
    const std::size_t shortest = format == PIN_FORMAT_4 ? 1 : 13;
    return pan.size() < shortest || pan.size() > 19 ? PinRule::PanLength : PinRule::Ok;
}

PinRule decode_pin_block(int format, const BlockKey& key, std::span<const std::uint8_t> block, std::string_view pan,
                         std::string& pin, ClearPin& clear)
{
    clear.length = format_block_bytes(format);
    if (block.size() != clear.length)
        return PinRule::BlockLength;
    if (format == PIN_FORMAT_4) {
        std::uint8_t pan_field[16];
        if (PinRule rule = format4_pan_field(pan, pan_field); rule != PinRule::Ok)
            return rule;
        format4_decipher(key, block.data(), pan_field, clear.bytes);
        return format4_read_pin_field(clear.bytes, pin);
    }
    block_decrypt(key, block.data(), clear.bytes);
    int read_format = 0;
    const PinRule rule = pin_block_read({clear.bytes, PIN_BLOCK_BYTES}, pan, pin, read_format);
    return rule == PinRule::Ok && read_format != format ? PinRule::ControlDigit : rule;
}

PinRule encode_pin_block(int format, const BlockKey& key, std::string_view pin, std::string_view pan,
                         std::span<const std::uint8_t> fill, std::span<const std::uint8_t> random, ClearPin& clear,
                         std::uint8_t block[16])
{
    clear.length = format_block_bytes(format);
    if (format == PIN_FORMAT_4) {
        std::uint8_t pan_field[16];
        if (PinRule rule = format4_pin_field(pin, random.data(), clear.bytes); rule != PinRule::Ok)
            return rule;
        if (PinRule rule = format4_pan_field(pan, pan_field); rule != PinRule::Ok)
            return rule;
        format4_encipher(key, clear.bytes, pan_field, block);
        return PinRule::Ok;
    }
    if (PinRule rule = pin_block_build(format, pin, pan, fill, clear.bytes); rule != PinRule::Ok)
        return rule;
    block_encrypt(key, clear.bytes, block);
    return PinRule::Ok;
}
