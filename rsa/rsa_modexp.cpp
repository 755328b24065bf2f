// rsa_modexp.cpp: raw RSA through the fixed-width arithmetic, with its length checks.
#include <cstring>

#include "rsa/fixed_num.h"
#include "rsa/rsa_raw.h"

int rsa_raw_block(std::uint8_t* output, int* output_length, const std::uint8_t* input, int input_length,
                  const RsaRawKey& key, int modulus_length, int exponent_length) {
    FixedNum base, modulus, exponent, result;
    fixed_decode(base, FIXED_DIGITS, input, input_length);
    fixed_decode(modulus, FIXED_DIGITS, key.modulus, modulus_length);
    fixed_decode(exponent, FIXED_DIGITS, key.exponent, exponent_length);

    const int nd = fixed_digits(modulus, FIXED_DIGITS);
    const int ed = fixed_digits(exponent, FIXED_DIGITS);
    if (nd == 0 || fixed_compare(base, modulus, FIXED_DIGITS) >= 0)
        return RSA_DATA_ERROR;

    fixed_mod_exp(result, base, exponent, ed, modulus, nd);
    *output_length = static_cast<int>((key.bits + 7) / 8);
    fixed_encode(output, *output_length, result, nd);
    return 0;
}

int rsa_modexp(const std::uint8_t* input, const std::uint8_t* modulus, int length, const std::uint8_t* exponent,
               int exponent_length, std::uint8_t* output) {
    if (exponent_length > length)
        return RSA_EXPONENT_LONGER;
    if (length > RSA_MAX_BYTES)
        return RSA_MODULUS_TOO_BIG;
    if (exponent_length > RSA_MAX_BYTES)
        return RSA_EXPONENT_TOO_BIG;

    RsaRawKey key;
    std::memset(&key, 0, sizeof key);
    key.bits = 8 * static_cast<std::uint32_t>(length);
    std::memcpy(key.modulus, modulus, static_cast<std::size_t>(length));
    std::memcpy(key.exponent + (length - exponent_length), exponent, static_cast<std::size_t>(exponent_length));

    int output_length = 0;
    if (rsa_raw_block(output, &output_length, input, length, key, length, length) != 0 || output_length != length)
        return RSA_BLOCK_FAILED;
    return RSA_MODEXP_OK;
}
