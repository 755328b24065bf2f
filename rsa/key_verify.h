// key_verify.h: the check that a new key pair's own private-key operation agrees with raw RSA
// computed, by separate arithmetic, from the modulus and private exponent bytes about to be shown.
#pragma once

#include <cstdint>

#include "rsa/rsa_key.h"

// Signs the message 00 01 02 ... of key.len bytes both ways and compares; releases every number of
// the key whatever the outcome. A computation that fails counts as a mismatch.
bool rsa_verify_pair(RsaKeyPair* key, const std::uint8_t* modulus, const std::uint8_t* private_exponent,
                     int private_exponent_length);
