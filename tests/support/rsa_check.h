// rsa_check.h: the fixed-width arithmetic of raw RSA against mbedTLS's bignum, shared by the unit test
// (seeded operands at every width) and the fuzz target (arbitrary operands). Each check returns "" when
// both agree, else what differs, with both values in hexadecimal.
#pragma once

#include <mbedtls/bignum.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "rsa/fixed_num.h"
#include "rsa/mpi.h"
#include "rsa/rsa_raw.h"
#include "tests/support/hex.h"

namespace rsa_check {

inline Bytes of(const Digit* a, int digits)
{
    Bytes out(4 * static_cast<std::size_t>(digits));
    fixed_encode(out.data(), static_cast<int>(out.size()), a, digits);
    return out;
}
inline Bytes of(const Mpi& m, std::size_t length) // empty if it does not fit
{
    Bytes out(length);
    return mbedtls_mpi_write_binary(&m, out.data(), length) == 0 ? out : Bytes{};
}
inline void load(Mpi& m, const Bytes& b) { mbedtls_mpi_read_binary(&m, b.data(), b.size()); }
inline std::string differ(const Bytes& ours, const Bytes& theirs, const char* what)
{
    return ours == theirs ? "" : std::string(what) + "\nours    " + to_hex(ours) + "\nmbedTLS " + to_hex(theirs) + "\n";
}

// b * c of n digits each, also written over b.
inline std::string mul(const Bytes& b, const Bytes& c, int n)
{
    Digit x[FIXED_DIGITS] = {}, y[FIXED_DIGITS] = {}, p[2 * FIXED_DIGITS];
    fixed_decode(x, n, b.data(), static_cast<int>(b.size()));
    fixed_decode(y, n, c.data(), static_cast<int>(c.size()));
    Mpi mb, mc, mp;
    load(mb, of(x, n)), load(mc, of(y, n));
    mbedtls_mpi_mul_mpi(&mp, &mb, &mc);
    fixed_mul(p, x, y, n);
    std::string r = differ(of(p, 2 * n), of(mp, 8u * n), "fixed_mul");
    std::copy_n(x, n, p);
    fixed_mul(p, p, y, n);
    return r + differ(of(p, 2 * n), of(mp, 8u * n), "fixed_mul written over its operand");
}

// Quotient and remainder of c (cd digits) by d (dd digits); nothing to check for d = 0.
inline std::string div(const Bytes& c, int cd, const Bytes& d, int dd)
{
    Digit x[2 * FIXED_DIGITS] = {}, y[FIXED_DIGITS] = {}, q[2 * FIXED_DIGITS] = {}, r[FIXED_DIGITS] = {};
    fixed_decode(x, cd, c.data(), static_cast<int>(c.size()));
    fixed_decode(y, dd, d.data(), static_cast<int>(d.size()));
    if (fixed_digits(y, dd) == 0)
        return "";
    fixed_div(q, r, x, cd, y, dd);
    Mpi mc, md, mq, mr;
    load(mc, of(x, cd)), load(md, of(y, dd));
    mbedtls_mpi_div_mpi(&mq, &mr, &mc, &md);
    return differ(of(q, cd), of(mq, 4u * cd), "fixed_div quotient") + differ(of(r, dd), of(mr, 4u * dd), "fixed_div remainder");
}

// b of n digits shifted left (the top bits that fall out handed back) and right.
inline std::string shifts(const Bytes& b, unsigned bits, int n)
{
    Digit x[FIXED_DIGITS] = {}, left[FIXED_DIGITS + 1] = {}, right[FIXED_DIGITS] = {};
    fixed_decode(x, n, b.data(), static_cast<int>(b.size()));
    left[n] = fixed_shift_left(left, x, bits, n);
    fixed_shift_right(right, x, bits, n);
    Mpi l, m;
    load(m, of(x, n));
    mbedtls_mpi_copy(&l, &m);
    mbedtls_mpi_shift_l(&l, bits);
    mbedtls_mpi_shift_r(&m, bits);
    return differ(of(left, n + 1), of(l, 4u * n + 4), "fixed_shift_left") + differ(of(right, n), of(m, 4u * n), "fixed_shift_right");
}

// rsa_modexp with the output written over the input, against square and multiply with mbedTLS's
// multiplication and remainder for even moduli, mbedtls_mpi_exp_mod for odd ones; a zero modulus, or an input not below it, is refused.
inline std::string modexp(const Bytes& input, const Bytes& modulus, const Bytes& exponent)
{
    Bytes ours = input;
    const int result = rsa_modexp(ours.data(), modulus.data(), static_cast<int>(modulus.size()), exponent.data(),
                                  static_cast<int>(exponent.size()), ours.data());
    Mpi n, a, e, r, t;
    load(n, modulus), load(a, input), load(e, exponent);
    if (mbedtls_mpi_cmp_int(&n, 0) == 0 || mbedtls_mpi_cmp_mpi(&a, &n) >= 0)
        return result == RSA_BLOCK_FAILED ? "" : "rsa_modexp accepted a zero modulus or an input not below it\n";
    if (result != RSA_MODEXP_OK)
        return "rsa_modexp refused good operands\n";
    if (mbedtls_mpi_cmp_int(&n, 1) == 0)
        return ""; // the exponentiation starts from 1 unreduced: a zero exponent gives 1 whatever the modulus
    mbedtls_mpi_lset(&r, 1);
    mbedtls_mpi_mod_mpi(&r, &r, &n);
    const bool odd = mbedtls_mpi_get_bit(&n, 0);
    if (odd)
        mbedtls_mpi_exp_mod(&r, &a, &e, &n, nullptr);
    for (int bit = odd ? -1 : static_cast<int>(mbedtls_mpi_bitlen(&e)) - 1; bit >= 0; --bit) {
        mbedtls_mpi_mul_mpi(&t, &r, &r);
        mbedtls_mpi_mod_mpi(&r, &t, &n);
        if (mbedtls_mpi_get_bit(&e, static_cast<std::size_t>(bit))) {
            mbedtls_mpi_mul_mpi(&t, &r, &a);
            mbedtls_mpi_mod_mpi(&r, &t, &n);
        }
    }
    return differ(ours, of(r, modulus.size()), "rsa_modexp");
}

} // namespace rsa_check
