// mpi.h: an mbedTLS big number that is released when it goes out of scope, for working values.
#pragma once

#include <mbedtls/bignum.h>

struct Mpi {
    mbedtls_mpi value;

    Mpi() { mbedtls_mpi_init(&value); }
    ~Mpi() { mbedtls_mpi_free(&value); }
    Mpi(const Mpi&) = delete;
    Mpi& operator=(const Mpi&) = delete;

    mbedtls_mpi* operator&() { return &value; }
    const mbedtls_mpi* operator&() const { return &value; }
};
