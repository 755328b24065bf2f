// key_verify.cpp: the private-key operation checked against raw RSA on fixed-width numbers.
#include "rsa/key_verify.h"

#include <cstring>

#include "rsa/rsa_raw.h"

bool rsa_verify_pair(RsaKeyPair* key, const std::uint8_t* modulus, const std::uint8_t* private_exponent,
                     int private_exponent_length) {
    const int k = key->len;
    std::uint8_t s1[2 * RSA_MAX_BYTES];
    std::uint8_t s2[2 * RSA_MAX_BYTES]; // the message, then raw RSA of it in place
    for (int i = 0; i < k; ++i)
        s2[i] = static_cast<std::uint8_t>(i);

    const bool fits = k > 0 && k <= RSA_MAX_BYTES;
    const bool signed_crt = fits && rsa_private_crt(key, s2, s1) == 0;
    const bool signed_raw =
        fits && rsa_modexp(s2, modulus, k, private_exponent, private_exponent_length, s2) == RSA_MODEXP_OK;
    rsa_key_free(key);
    return signed_crt && signed_raw && std::memcmp(s1, s2, static_cast<std::size_t>(k)) == 0;
}
