// rsa_test_support.h: helpers shared by the RSA tests: hexadecimal text, mbedTLS numbers as references,
// and random sources whose draws are known.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <mbedtls/bignum.h>

#include "rsa/fixed_num.h"
#include "rsa/random_source.h"

using Bytes = std::vector<std::uint8_t>;

Bytes from_hex(std::string_view hex);
std::string to_hex(const std::uint8_t* bytes, std::size_t length);
inline std::string to_hex(const Bytes& bytes) { return to_hex(bytes.data(), bytes.size()); }

// The value of n digits as upper-case hexadecimal, 8 digits a digit, most significant first.
std::string digits_hex(const Digit* a, int n);
// The value of an mbedTLS number as hexadecimal of n digits (zero-padded), like digits_hex.
std::string mpi_hex(const mbedtls_mpi* x, int n);
// x := the value of n digits.
void mpi_from_digits(mbedtls_mpi* x, const Digit* a, int n);

// A released-on-exit mbedTLS number for tests.
struct TestMpi {
    mbedtls_mpi v;
    TestMpi() { mbedtls_mpi_init(&v); }
    explicit TestMpi(std::string_view hex) : TestMpi() { mbedtls_mpi_read_string(&v, 16, std::string(hex).c_str()); }
    ~TestMpi() { mbedtls_mpi_free(&v); }
    TestMpi(const TestMpi&) = delete;
    mbedtls_mpi* operator&() { return &v; }
    std::string hex() const;
};

// A random source that replays a list of bytes (then zeros) and counts its draws.
struct ScriptedDraws {
    Bytes bytes;
    std::size_t draws = 0;
    RandomSource source() { return {draw, this}; }
    static std::int32_t draw(void* state);
};

// A reproducible random source (xorshift) that counts its draws.
struct CountingDraws {
    std::uint32_t x = 2463534242u;
    std::size_t draws = 0;
    RandomSource source() { return {draw, this}; }
    static std::int32_t draw(void* state);
};
