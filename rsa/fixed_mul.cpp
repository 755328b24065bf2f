// fixed_mul.cpp: schoolbook multiplication of fixed-width numbers over their significant digits.
#include <algorithm>
#include <cstdint>

#include "rsa/digit_product.h"

namespace {

// Row by row, each row's products added with a one-digit carry: a mull, and two additions with carry
// of 32 bits, a product on 32-bit x86.
void mul_rows(Digit* a, const Digit* b, const Digit* c, int n) {
    Digit t[2 * FIXED_DIGITS];
    std::fill_n(t, 2 * n, Digit{0});
    const int bd = fixed_digits(b, n);
    const int cd = fixed_digits(c, n);
    for (int i = 0; i < bd; ++i) {
        const Digit multiplier = b[i];
        if (multiplier == 0)
            continue;
        Digit* row = t + i;
        Digit carry = 0;
        for (int j = 0; j < cd; ++j) {
            const std::uint64_t s = digit_product(multiplier, c[j]) + row[j] + carry;
            row[j] = static_cast<Digit>(s);
            carry = static_cast<Digit>(s >> 32);
        }
        row[cd] = carry;
    }
    std::copy_n(t, 2 * n, a);
}

} // namespace

void fixed_mul(Digit* a, const Digit* b, const Digit* c, int n) {
    if constexpr (NARROW_REGISTERS) {
        mul_rows(a, b, c, n);
        return;
    }
    // Column sums: the low and the high digits of the digit products are added up separately, so
    // that the rows carry no dependency from digit to digit; carries are resolved once at the end.
    std::uint64_t low[2 * FIXED_DIGITS + 1], high[2 * FIXED_DIGITS + 1];
    std::fill_n(low, 2 * n + 1, std::uint64_t{0});
    std::fill_n(high, 2 * n + 1, std::uint64_t{0});
    const int bd = fixed_digits(b, n);
    const int cd = fixed_digits(c, n);
    for (int i = 0; i < bd; ++i) {
        const Digit multiplier = b[i];
        if (multiplier == 0)
            continue;
        std::uint64_t* low_row = low + i;
        std::uint64_t* high_row = high + i + 1;
        for (int j = 0; j < cd; ++j) {
            const std::uint64_t p = digit_product(multiplier, c[j]);
            low_row[j] += static_cast<Digit>(p);
            high_row[j] += p >> 32;
        }
    }
    std::uint64_t carry = 0;
    for (int k = 0; k < 2 * n; ++k) {
        carry += low[k] + high[k];
        a[k] = static_cast<Digit>(carry);
        carry >>= 32;
    }
}
