// rsa_handler.cpp: the "RSA Encryption/Decription" row: field 0 raised to field 2 modulo field 1.
#include <string_view>

#include "core/field.h"
#include "core/handlers.h"
#include "core/messages.h"
#include "rsa/rsa_raw.h"

namespace {

constexpr int RSA_MIN_BYTES = 32;

// Loads a field and checks its length; reports and returns false on either failure.
bool load_sized(int index, int min_bytes) {
    if (!field_load(index, 0, 1))
        return false;
    const int length = g_field[index].length;
    if (length < min_bytes || length > RSA_MAX_BYTES) {
        show_field_error(index, MSG_INVALID_FIELD_SIZE);
        return false;
    }
    return true;
}

} // namespace

int rsa_handler() {
    if (!load_sized(0, RSA_MIN_BYTES) || !load_sized(1, RSA_MIN_BYTES) || !load_sized(2, 1))
        return 0;
    FieldBuffer& input = g_field[0];
    const FieldBuffer& modulus = g_field[1];
    const FieldBuffer& exponent = g_field[2];
    FieldBuffer& output = g_field[4];
    if (input.length != modulus.length) {
        show_field_error(0, "Input and Modulus lengths are different!");
        return 0;
    }

    switch (rsa_modexp(input.data, modulus.data, input.length, exponent.data, exponent.length, output.data)) {
    case RSA_MODEXP_OK:
        output.length = input.length;
        field_show(4);
        return 1;
    case RSA_EXPONENT_LONGER:
        show_field_error(2, "Exponent is greater than Modulus!");
        return 0;
    case RSA_MODULUS_TOO_BIG:
        show_field_error(1, "Modulus is too big!");
        return 0;
    case RSA_EXPONENT_TOO_BIG:
        show_field_error(2, "Exponent is too big!");
        return 0;
    default:
        show_error("Encryption failed!");
        return 0;
    }
}
