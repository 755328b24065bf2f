// fields.cpp: field reading and output helpers shared by the EMV handlers.
#include "emv/fields.h"

#include <algorithm>
#include <array>

#include "core/field.h"
#include "core/messages.h"
#include "emv/keys.h"

bool load_sized(int index, std::span<const int> sizes, std::string_view message)
{
    if (!field_load(index, 0, 1))
        return false;
    if (std::find(sizes.begin(), sizes.end(), g_field[index].length) != sizes.end())
        return true;
    show_field_error(index, message);
    return false;
}



void show_key_and_check_value(std::span<const std::uint8_t, 16> key)
{
    std::array<std::uint8_t, 3> kcv;
    key_check_value(key, kcv);
    show_bytes(3, kcv);
    show_bytes(4, key);
}
