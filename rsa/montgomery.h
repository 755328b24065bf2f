// montgomery.h: A^E mod N for an odd N of up to 4096 bits, on 32-bit digits (Montgomery multiplication,
// Comba columns, dedicated squares, a sliding window of five bits). The prime search uses it for its
// Miller-Rabin rounds where mbedTLS's limbs are 32 bits (the i686 build), in place of
// mbedtls_mpi_exp_mod: the same results, faster there.
#pragma once

#include <mbedtls/bignum.h>

// Y = A^E mod N: 0, MBEDTLS_ERR_MPI_BAD_INPUT_DATA unless N is odd and of at most 4096 bits, A is in
// [0, N) and E is not negative, or an mbedTLS allocation error.
int montgomery_exp_mod(mbedtls_mpi* Y, const mbedtls_mpi* A, const mbedtls_mpi* E, const mbedtls_mpi* N);
