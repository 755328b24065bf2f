// ibm3624_handler.cpp: the IBM 3624 rows: natural PIN (with the validation data block and the block
// enciphered), PIN offset, PIN from offset and verify. Field 0 holds the PVK and the decimalisation
// table, field 1 the validation data (a slice of the PAN, or typed) and its pad character.
#include <array>
#include <span>
#include <string>

#include "cards/decimalise.h"
#include "cards/fields.h"
#include "cards/handlers.h"
#include "cards/ibm3624.h"

namespace {

constexpr int KEY_FIELD = 0;
constexpr int DATA_FIELD = 1;
constexpr int PIN_FIELD = 2;
constexpr int MIN_PIN = 4, MAX_PIN = 12, MAX_DATA = 16;

// The validation data's parts as field 1 orders them.
enum : std::size_t { PAN, START, LENGTH, PAD, TYPED, DATA_PARTS };

bool refuse(int index, std::string_view message)
{
    show_field_error(index, message);
    return false;
}

// Reads fields 0 and 1 (any parts of field 1 after the validation data's are the caller's) and enciphers.
template <std::size_t N>
bool natural(NaturalPinSteps& steps, std::array<std::string, N>& data)
{
    std::array<std::string, 2> key_table; // PVK, decimalisation table
    if (!load_parts(KEY_FIELD, key_table) || !load_parts(DATA_FIELD, data))
        return false;
    BlockKey key;
    std::array<std::uint8_t, 16> key_bytes;
    const std::size_t key_length = key_table[0].size() / 2;
    pack_hex(key_table[0], std::span<std::uint8_t>(key_bytes).first(key_length));
    block_key_set(key, key_length == 8 ? BlockAlgorithm::Des : BlockAlgorithm::Tdes, key_bytes.data(),
                  static_cast<int>(key_length));

    if (hex_value(data[PAD][0]) < 0)
        return refuse(DATA_FIELD, MSG_PAD);
    std::string validation = data[TYPED];
    if (!validation.empty()) {
        for (char c : validation)
            if (hex_value(c) < 0)
                return refuse(DATA_FIELD, MSG_VALIDATION_DATA);
    } else {
        const std::string& pan = data[PAN];
        if (pan.empty())
            return refuse(DATA_FIELD, MSG_CARD_PAN_LENGTH);
        if (!pan_digits_only(DATA_FIELD, pan))
            return false;
        const auto start = static_cast<std::size_t>(part_number(data[START]));
        const auto length = static_cast<std::size_t>(part_number(data[LENGTH]));
        if (start >= pan.size())
            return refuse(DATA_FIELD, MSG_VALIDATION_START);
        if (length < 1 || length > MAX_DATA)
            return refuse(DATA_FIELD, MSG_VALIDATION_LENGTH);
        validation = validation_data_from_pan(pan, start, length);
    }
    steps = natural_pin(validation, data[PAD][0], key, key_table[1]);
    return true;
}

bool pin_length_fits(std::size_t length) { return length >= MIN_PIN && length <= MAX_PIN; }

} // namespace

int ibm3624_natural_pin_handler()
{
    NaturalPinSteps steps;
    std::array<std::string, DATA_PARTS + 1> data; // then the PIN length
    if (!natural(steps, data))
        return 0;
    const auto length = static_cast<std::size_t>(part_number(data[DATA_PARTS]));
    if (!pin_length_fits(length))
        return refuse(DATA_FIELD, MSG_PIN_LENGTH);
    show_bytes(2, steps.data_block);
    show_bytes(3, steps.enciphered);
    show_text(4, steps.decimalised.substr(0, length));
    return 1;
}

int ibm3624_offset_handler()
{
    NaturalPinSteps steps;
    std::array<std::string, DATA_PARTS> data;
    std::array<std::string, 2> pin; // customer PIN, check length
    if (!natural(steps, data) || !load_parts(PIN_FIELD, pin))
        return 0;
    const std::size_t check = pin[1].empty() ? pin[0].size() : static_cast<std::size_t>(part_number(pin[1]));
    if (check < 1 || check > pin[0].size())
        return refuse(PIN_FIELD, MSG_CHECK_LENGTH);
    const std::string natural_pin = steps.decimalised.substr(0, pin[0].size());
    show_text(3, natural_pin);
    show_text(4, pin_offset(pin[0], natural_pin, check));
    return 1;
}

int ibm3624_pin_handler()
{
    NaturalPinSteps steps;
    std::array<std::string, DATA_PARTS> data;
    std::array<std::string, 2> offset; // offset, PIN length
    if (!natural(steps, data) || !load_parts(PIN_FIELD, offset))
        return 0;
    const std::size_t length = offset[1].empty() ? offset[0].size() : static_cast<std::size_t>(part_number(offset[1]));
    if (!pin_length_fits(length) || length < offset[0].size())
        return refuse(PIN_FIELD, MSG_PIN_LENGTH);
    const std::string natural_pin = steps.decimalised.substr(0, length);
    show_text(3, natural_pin);
    show_text(4, pin_from_offset(natural_pin, offset[0]));
    return 1;
}

int ibm3624_verify_handler()
{
    NaturalPinSteps steps;
    std::array<std::string, DATA_PARTS> data;
    std::array<std::string, 2> pin; // customer PIN, offset
    if (!natural(steps, data) || !load_parts(PIN_FIELD, pin))
        return 0;
    if (pin[1].size() > pin[0].size())
        return refuse(PIN_FIELD, MSG_OFFSET_LENGTH);
    const std::string natural_pin = steps.decimalised.substr(0, pin[0].size());
    show_text(3, natural_pin);
    show_match("Offset", pin_offset(pin[0], natural_pin, pin[1].size()), pin[1]);
    return 1;
}
