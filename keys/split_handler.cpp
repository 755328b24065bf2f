// split_handler.cpp: the split rows: a key, the number of components and the random ones (drawn from the
// generator unless typed) give the last component, the random ones used and every check value.
#include <array>
#include <string>

#include "core/controller.h"
#include "core/field.h"
#include "core/messages.h"
#include "keys/components.h"
#include "keys/handlers.h"
#include "keys/rows.h"
#include "rsa/havege.h"

namespace {

constexpr int KEY_FIELD = 0;
constexpr int RANDOM_FIELD = 1;
constexpr int USED_FIELD = 2;
constexpr int CHECK_VALUES_FIELD = 3;

KeyBytes from_hex(const std::string& text)
{
    KeyBytes bytes;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(hex_value(text[i]) << 4 | hex_value(text[i + 1])));
    return bytes;
}

std::string to_hex(const KeyBytes& bytes)
{
    std::string text;
    for (std::uint8_t byte : bytes) {
        text.push_back(HEX_DIGITS[byte >> 4]);
        text.push_back(HEX_DIGITS[byte & 0x0F]);
    }
    return text;
}

} // namespace

int split_key_handler()
{
    const auto& row = *static_cast<const ComponentsRow*>(selected_row().context);
    if (!field_load(KEY_FIELD, 0, 1) || !field_load(RANDOM_FIELD, 0, 1))
        return 0;
    std::array<std::string, 2> key_parts;
    std::array<std::string, 2> random_parts;
    if (!field_parts(KEY_FIELD, key_parts) || !field_parts(RANDOM_FIELD, random_parts))
        return 0;
    const KeyBytes key = from_hex(key_parts[0]);
    BlockKey block_key;
    if (!component_key(block_key, row.aes, key)) {
        show_field_error(KEY_FIELD, MSG_INVALID_KEY_LENGTH);
        return 0;
    }
    const int count = key_parts[1][0] - '0';
    if (count != 2 && count != 3) {
        show_field_error(KEY_FIELD, MSG_COMPONENT_COUNT);
        return 0;
    }
    if (count == 2 && !random_parts[1].empty()) {
        show_field_error(RANDOM_FIELD, MSG_TOO_MANY_COMPONENTS);
        return 0;
    }

    std::vector<KeyBytes> components;
    std::string used;
    for (int i = 0; i < count - 1; ++i) {
        KeyBytes component = from_hex(random_parts[static_cast<std::size_t>(i)]);
        if (component.empty()) {
            component.resize(key.size());
            havege_random_bytes(component);
        } else if (component.size() != key.size()) {
            show_field_error(RANDOM_FIELD, MSG_COMPONENT_LENGTHS);
            return 0;
        }
        used.append(i ? "/" : "").append(to_hex(component));
        components.push_back(component);
    }
    components.push_back(key);
    const KeyBytes last = xor_components(components);
    components.back() = last;

    show_text(USED_FIELD, used);
    show_text(CHECK_VALUES_FIELD, check_values_line(components, key, row.aes));
    show_bytes(4, last);
    return 1;
}
