// luhn_handler.cpp: the rows "Luhn check digit" (with the number completed and its digit sum) and
// "Luhn validate" (the digit sum, and whether the check digit fits).
#include <string>

#include "cards/fields.h"
#include "cards/handlers.h"
#include "cards/luhn.h"

namespace {

bool load_number(int min, int max)
{
    if (!field_load(0, 0, 1))
        return false;
    if (g_field[0].length < min || g_field[0].length > max) {
        show_field_error(0, MSG_NUMBER_LENGTH);
        return false;
    }
    return true;
}

} // namespace

int luhn_handler()
{
    if (!load_number(1, 18))
        return 0;
    const std::string number(field_text(0));
    const char digit = luhn_check_digit(number);
    show_text(2, number + digit);
    show_text(3, std::to_string(luhn_payload_sum(number)));
    show_text(4, std::string(1, digit));
    return 1;
}

int luhn_verify_handler()
{
    if (!load_number(2, 19))
        return 0;
    const std::string number(field_text(0));
    show_text(3, std::to_string(luhn_sum(number)));
    const std::string_view payload = std::string_view(number).substr(0, number.size() - 1);
    show_match("Check digit", std::string(1, luhn_check_digit(payload)), number.substr(number.size() - 1));
    return 1;
}
