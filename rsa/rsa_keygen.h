// rsa_keygen.h: the work of the "RSA Key Generation" row once its fields are read.
#pragma once

#include <cstdint>

// A fresh HAVEGE generator, then key pairs of k bytes with public exponent e until one passes the
// check; the modulus is left in field buffer 4 and the private exponent in field buffer 2, unshown.
// 0, or the failure of rsa_generate_key.
int rsa_keygen_to_fields(std::uint32_t k, std::uint32_t e);
