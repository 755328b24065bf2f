// decimalise_handler.cpp: the row "Decimalisation": hexadecimal digits to decimal digits by the CVV scan
// or through a decimalisation table, all of them or the leftmost ones.
#include <string>

#include "cards/decimalise.h"
#include "cards/fields.h"
#include "cards/handlers.h"

namespace {

constexpr int TABLE_DIGITS = 16;
constexpr int MAX_BYTES = 32;

} // namespace

int decimalise_handler()
{
    if (!field_load(0, 0, 1))
        return 0;
    if (g_field[0].length < 1 || g_field[0].length > MAX_BYTES) {
        show_field_error(0, MSG_INVALID_FIELD_SIZE);
        return 0;
    }
    if (!field_load(1, 0, 1))
        return 0;
    if (g_field[1].length != 0 && g_field[1].length != TABLE_DIGITS) {
        show_field_error(1, MSG_DEC_TABLE);
        return 0;
    }
    if (!field_load(2, 0, 1))
        return 0;
    const int all = 2 * g_field[0].length;
    const int kept = g_field[2].length == 0 ? all : g_field[2].length > 2 ? 0 : part_number(field_text(2));
    if (kept < 1 || kept > all) {
        show_field_error(2, MSG_DIGITS_KEPT);
        return 0;
    }
    const std::string hex = hex_digits(field_bytes(0));
    const std::string digits = g_field[1].length == 0 ? decimalise_scan(hex) : decimalise_table(hex, field_text(1));
    show_text(4, digits.substr(0, static_cast<std::size_t>(kept)));
    return 1;
}
