// fuzz_rsa_arith.cpp: the fixed-width arithmetic of raw RSA against mbedTLS's bignum on arbitrary operands:
// multiplication, division with remainder, the shifts, modular exponentiation and rsa_modexp itself.
#include <mbedtls/bignum.h>

#include <cstring>
#include <string>
#include <vector>

#include "rsa/fixed_num.h"
#include "rsa/mpi.h"
#include "rsa/rsa_raw.h"
#include "tests/fuzz/fuzz_driver.h"

namespace {

void load(Mpi& m, const std::vector<std::uint8_t>& bytes)
{
    FUZZ_CHECK(mbedtls_mpi_read_binary(&m, bytes.data(), bytes.size()) == 0, "read_binary");
}

std::vector<std::uint8_t> bytes_of(const Mpi& m, std::size_t length)
{
    std::vector<std::uint8_t> out(length);
    FUZZ_CHECK(mbedtls_mpi_write_binary(&m, out.data(), length) == 0, "write_binary");
    return out;
}

std::vector<std::uint8_t> bytes_of(const Digit* a, int digits)
{
    std::vector<std::uint8_t> out(static_cast<std::size_t>(digits) * 4);
    fixed_encode(out.data(), static_cast<int>(out.size()), a, digits);
    return out;
}

std::string hex(const std::vector<std::uint8_t>& b)
{
    static const char* d = "0123456789ABCDEF";
    std::string s;
    for (std::uint8_t x : b) {
        s += d[x >> 4];
        s += d[x & 15];
    }
    return s;
}

void same(const std::vector<std::uint8_t>& ours, const std::vector<std::uint8_t>& theirs, const char* what)
{
    FUZZ_CHECK(ours == theirs, std::string(what) + "\nours   " + hex(ours) + "\nmbedTLS " + hex(theirs));
}

std::vector<std::uint8_t> take(FuzzInput& in, std::size_t max)
{
    std::size_t n = (static_cast<std::size_t>(in.byte()) << 8 | in.byte()) % (max + 1);
    std::vector<std::uint8_t> v(n);
    for (std::uint8_t& b : v)
        b = in.byte();
    return v;
}

void check_mul(FuzzInput& in)
{
    auto b = take(in, 512), c = take(in, 512);
    Digit x[FIXED_DIGITS] = {}, y[FIXED_DIGITS] = {}, product[2 * FIXED_DIGITS];
    fixed_decode(x, FIXED_DIGITS, b.data(), static_cast<int>(b.size()));
    fixed_decode(y, FIXED_DIGITS, c.data(), static_cast<int>(c.size()));
    fixed_mul(product, x, y, FIXED_DIGITS);
    Mpi mb, mc, mp;
    load(mb, b);
    load(mc, c);
    mbedtls_mpi_mul_mpi(&mp, &mb, &mc);
    same(bytes_of(product, 2 * FIXED_DIGITS), bytes_of(mp, 8 * FIXED_DIGITS), "fixed_mul");
}

void check_div(FuzzInput& in)
{
    auto c = take(in, 1032), d = take(in, 516);
    const int cd = 2 * FIXED_DIGITS, dd = FIXED_DIGITS;
    Digit x[2 * FIXED_DIGITS] = {}, y[FIXED_DIGITS] = {}, q[2 * FIXED_DIGITS] = {}, r[FIXED_DIGITS] = {};
    fixed_decode(x, cd, c.data(), static_cast<int>(c.size()));
    fixed_decode(y, dd, d.data(), static_cast<int>(d.size()));
    if (fixed_digits(y, dd) == 0)
        return;
    fixed_div(q, r, x, cd, y, dd);
    Mpi mc, md, mq, mr;
    load(mc, c);
    load(md, d);
    mbedtls_mpi_div_mpi(&mq, &mr, &mc, &md);
    same(bytes_of(q, cd), bytes_of(mq, 4 * cd), "fixed_div quotient");
    same(bytes_of(r, dd), bytes_of(mr, 4 * dd), "fixed_div remainder");
}

void check_shifts(FuzzInput& in)
{
    auto b = take(in, 516);
    const unsigned bits = in.byte() % 32;
    const int n = 1 + in.byte() % FIXED_DIGITS;
    Digit x[FIXED_DIGITS] = {}, left[FIXED_DIGITS] = {}, right[FIXED_DIGITS] = {};
    fixed_decode(x, n, b.data(), static_cast<int>(b.size()));
    const Digit out = fixed_shift_left(left, x, bits, n);
    fixed_shift_right(right, x, bits, n);

    Mpi m, l, top;
    auto whole = bytes_of(x, n); // the operand as the n digits hold it
    load(m, whole);
    mbedtls_mpi_copy(&l, &m);
    mbedtls_mpi_shift_l(&l, bits);
    auto shifted = bytes_of(l, whole.size() + 4);
    same(bytes_of(left, n), std::vector<std::uint8_t>(shifted.begin() + 4, shifted.end()), "fixed_shift_left");
    Digit expected_out = static_cast<Digit>(shifted[0]) << 24 | shifted[1] << 16 | shifted[2] << 8 | shifted[3];
    FUZZ_CHECK(out == expected_out, "bits shifted out of the top digit");
    mbedtls_mpi_shift_r(&m, bits);
    same(bytes_of(right, n), bytes_of(m, whole.size()), "fixed_shift_right");
}

// rsa_modexp against mbedTLS, for moduli of any length up to 64 bytes and odd or even value.
void check_modexp(FuzzInput& in)
{
    auto modulus = take(in, 64);
    if (modulus.empty())
        return;
    auto input = take(in, 64);
    input.resize(modulus.size());
    auto exponent = take(in, 64);
    if (exponent.empty() || exponent.size() > modulus.size())
        return;
    std::vector<std::uint8_t> ours(modulus.size());
    int result = rsa_modexp(input.data(), modulus.data(), static_cast<int>(modulus.size()), exponent.data(),
                            static_cast<int>(exponent.size()), ours.data());

    Mpi n, a, e, r, t;
    load(n, modulus);
    load(a, input);
    load(e, exponent);
    if (mbedtls_mpi_cmp_int(&n, 0) == 0 || mbedtls_mpi_cmp_mpi(&a, &n) >= 0) {
        FUZZ_CHECK(result == RSA_BLOCK_FAILED, "zero modulus or input not below it accepted");
        return;
    }
    FUZZ_CHECK(result == RSA_MODEXP_OK, "rsa_modexp refused good operands");
    if (mbedtls_mpi_cmp_int(&n, 1) == 0)
        return; // a zero exponent gives 1 whatever the modulus, as the exponentiation starts from 1
    // Left-to-right square and multiply with mbedTLS's own multiply and remainder: odd or even moduli.
    mbedtls_mpi_lset(&r, 1);
    mbedtls_mpi_mod_mpi(&r, &r, &n);
    for (int bit = static_cast<int>(mbedtls_mpi_bitlen(&e)) - 1; bit >= 0; --bit) {
        mbedtls_mpi_mul_mpi(&t, &r, &r);
        mbedtls_mpi_mod_mpi(&r, &t, &n);
        if (mbedtls_mpi_get_bit(&e, static_cast<std::size_t>(bit))) {
            mbedtls_mpi_mul_mpi(&t, &r, &a);
            mbedtls_mpi_mod_mpi(&r, &t, &n);
        }
    }
    same(ours, bytes_of(r, modulus.size()), "rsa_modexp");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    switch (in.byte() % 4) {
    case 0: check_mul(in); break;
    case 1: check_div(in); break;
    case 2: check_shifts(in); break;
    default: check_modexp(in); break;
    }
    return 0;
}
