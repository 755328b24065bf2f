// combine_handler.cpp: the combine rows: components 1, 2 and (optional) 3 XORed into the key, the key
// adjusted to odd parity where the row says so, and the line of check values and parity.
#include "core/controller.h"
#include "core/field.h"
#include "core/messages.h"
#include "keys/components.h"
#include "keys/handlers.h"
#include "keys/rows.h"

namespace {

constexpr int COMPONENT_FIELDS = 3;
constexpr int CHECK_VALUES_FIELD = 3;

} // namespace

int combine_components_handler()
{
    const auto& row = *static_cast<const ComponentsRow*>(selected_row().context);
    std::vector<KeyBytes> components;
    for (int i = 0; i < COMPONENT_FIELDS; ++i) {
        if (!field_load(i, 0, 1))
            return 0;
        const std::span<const std::uint8_t> bytes = field_bytes(i);
        if (bytes.empty() && i == COMPONENT_FIELDS - 1)
            break;
        BlockKey key;
        if (!component_key(key, row.aes, bytes)) {
            show_field_error(i, MSG_INVALID_KEY_LENGTH);
            return 0;
        }
        if (i > 0 && bytes.size() != components.front().size()) {
            show_field_error(i, MSG_COMPONENT_LENGTHS);
            return 0;
        }
        components.emplace_back(bytes.begin(), bytes.end());
    }
    KeyBytes key = xor_components(components);
    std::string note;
    if (row.adjust_parity && key_parity(key) != Parity::Odd) {
        note.append(", adjusted from ").append(parity_word(key_parity(key)));
        adjust_odd_parity(key);
    }
    show_text(CHECK_VALUES_FIELD, check_values_line(components, key, row.aes, note));
    show_bytes(4, key);
    return 1;
}
