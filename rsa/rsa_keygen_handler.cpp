// rsa_keygen_handler.cpp: the "RSA Key Generation" row: a verified key pair of field 0's size in
// bytes and field 1's public exponent; the modulus goes to field 4, the private exponent to field 2.
#include <cstdint>

#include "core/field.h"
#include "core/handlers.h"
#include "core/messages.h"
#include "rsa/havege.h"
#include "rsa/key_verify.h"
#include "rsa/rsa_keygen.h"
#include "rsa/rsa_key.h"
#include "rsa/rsa_raw.h"

namespace {

constexpr int NUMBER_MAX_BYTES = 3; // key size and public exponent: 1 to 3 bytes

bool number_size_ok(int index) {
    return g_field[index].length >= 1 && g_field[index].length <= NUMBER_MAX_BYTES;
}

std::uint32_t number_value(int index) {
    std::uint32_t value = 0;
    for (int i = 0; i < g_field[index].length; ++i)
        value = (value << 8) | g_field[index].data[i];
    return value;
}

// A big number into a field, big-endian in its minimal length.
void write_number(int index, const mbedtls_mpi* x) {
    FieldBuffer& field = g_field[index];
    field.length = static_cast<std::int32_t>((mbedtls_mpi_bitlen(x) + 7) / 8);
    mbedtls_mpi_write_binary(x, field.data, static_cast<std::size_t>(field.length));
}

} // namespace

int rsa_keygen_to_fields(std::uint32_t k, std::uint32_t e) {
    HavegeState random_state;
    havege_init(&random_state);
    RsaKeyPair key;
    const FieldBuffer& modulus = g_field[4];
    const FieldBuffer& private_exponent = g_field[2];
    // A pair that fails the check is never shown: another is generated in its place.
    do {
        rsa_key_reset(&key, havege_source(&random_state));
        if (const int ret = rsa_generate_key(&key, static_cast<int>(8 * k), e); ret != 0) {
            rsa_key_free(&key);
            g_field[4].length = 0; // a pair that failed its check is not left behind
            g_field[2].length = 0;
            return ret;
        }
        write_number(4, &key.N);
        write_number(2, &key.D);
    } while (!rsa_verify_pair(&key, modulus.data, private_exponent.data, private_exponent.length));
    return 0;
}

int rsa_keygen_handler() {
    if (!field_load(0, 0, 1))
        return 0;
    if (!number_size_ok(0)) {
        show_field_error(0, "Invalid key length!");
        return 0;
    }
    if (!field_load(1, 0, 1))
        return 0;
    if (!number_size_ok(1)) {
        show_field_error(1, "Invalid Public Exponent size!");
        return 0;
    }
    const std::uint32_t k = number_value(0);
    if (k > RSA_MAX_BYTES) {
        show_field_error(0, "Invalid key length!");
        return 0;
    }
    const std::uint32_t e = number_value(1);

    if (rsa_keygen_to_fields(k, e) != 0) {
        show_error("Unable to generate RSA key!");
        return 0;
    }
    field_show(4);
    field_show(2);
    return 1;
}
