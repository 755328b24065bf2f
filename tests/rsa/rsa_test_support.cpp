// rsa_test_support.cpp: hexadecimal text, reference numbers and scripted random sources for the RSA tests.
#include "tests/rsa/rsa_test_support.h"

#include <cstdio>

Bytes from_hex(std::string_view hex) {
    Bytes out;
    int high = -1;
    for (char ch : hex) {
        int v;
        if (ch >= '0' && ch <= '9') v = ch - '0';
        else if (ch >= 'a' && ch <= 'f') v = ch - 'a' + 10;
        else if (ch >= 'A' && ch <= 'F') v = ch - 'A' + 10;
        else continue;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<std::uint8_t>(high * 16 + v));
            high = -1;
        }
    }
    return out;
}

std::string to_hex(const std::uint8_t* bytes, std::size_t length) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < length; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

std::string digits_hex(const Digit* a, int n) {
    std::string out;
    char buffer[9];
    for (int i = n - 1; i >= 0; --i) {
        std::snprintf(buffer, sizeof buffer, "%08X", a[i]);
        out += buffer;
    }
    return out;
}

std::string mpi_hex(const mbedtls_mpi* x, int n) {
    Bytes bytes(4 * static_cast<std::size_t>(n));
    if (mbedtls_mpi_write_binary(x, bytes.data(), bytes.size()) != 0)
        return "(does not fit)";
    return to_hex(bytes);
}

void mpi_from_digits(mbedtls_mpi* x, const Digit* a, int n) {
    Bytes bytes(4 * static_cast<std::size_t>(n));
    fixed_encode(bytes.data(), static_cast<int>(bytes.size()), a, n);
    mbedtls_mpi_read_binary(x, bytes.data(), bytes.size());
}

std::string TestMpi::hex() const {
    char buffer[4096];
    std::size_t written = 0;
    if (mbedtls_mpi_write_string(&v, 16, buffer, sizeof buffer, &written) != 0)
        return "(too long)";
    return buffer;
}

std::int32_t ScriptedDraws::draw(void* state) {
    auto* self = static_cast<ScriptedDraws*>(state);
    const std::size_t i = self->draws++;
    return i < self->bytes.size() ? self->bytes[i] : 0;
}

static std::uint32_t xorshift(std::uint32_t& x) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return x;
}

std::int32_t CountingDraws::draw(void* state) {
    auto* self = static_cast<CountingDraws*>(state);
    ++self->draws;
    return static_cast<std::int32_t>(xorshift(self->x));
}
