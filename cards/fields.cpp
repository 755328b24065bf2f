// fields.cpp: field reading and output helpers shared by the card verification handlers.
#include "cards/fields.h"

#include <algorithm>

#include "cards/decimalise.h"
#include "core/field.h"
#include "emv/keys.h"

bool pan_digits_only(int index, std::string_view pan)
{
    if (std::all_of(pan.begin(), pan.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return true;
    show_field_error(index, MSG_PAN_DIGITS);
    return false;
}

bool load_key16(int index, CardKey& key)
{
    if (!field_load(index, 0, 1))
        return false;
    if (g_field[index].length != 16) {
        show_field_error(index, MSG_INVALID_KEY_LENGTH);
        return false;
    }
    std::copy_n(g_field[index].data, 16, key.begin());
    return true;
}

int part_number(std::string_view digits)
{
    int n = 0;
    for (char c : digits)
        n = n * 10 + (c - '0');
    return n;
}

CardKey icc_key(std::string_view key_hex, bool derive, std::string_view pan, std::string_view psn)
{
    CardKey key;
    pack_hex(key_hex, key);
    if (!derive)
        return key;
    CardKey mk;
    icc_master_key(pan.size() > 16 ? IccOption::B : IccOption::A, pan, psn, key, mk);
    return mk;
}

std::string key_and_check_value(const CardKey& key)
{
    std::array<std::uint8_t, 3> kcv;
    key_check_value(key, kcv);
    return hex_digits(key) + " / " + hex_digits(kcv);
}

void show_match(std::string_view what, std::string_view computed, std::string_view given)
{
    if (computed == given)
        show_verdict(4, true, "Verified");
    else
        show_verdict(4, false, std::string(what) + " does not match: computed " + std::string(computed) + ", given " +
                                   std::string(given));
}
