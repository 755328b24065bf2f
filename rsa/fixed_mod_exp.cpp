// fixed_mod_exp.cpp: modular multiplication and exponentiation of fixed-width numbers,
// a full long division after every product, two exponent bits a step.
#include <algorithm>

#include "rsa/fixed_num.h"

void fixed_mod_mul(Digit* a, const Digit* b, const Digit* c, const Digit* d, int n) {
    Digit product[2 * FIXED_DIGITS];
    fixed_mul(product, b, c, n);
    fixed_div(nullptr, a, product, 2 * n, d, n);
}

void fixed_mod_exp(Digit* a, const Digit* b, const Digit* c, int c_digits, const Digit* d, int d_digits) {
    const int n = d_digits;
    // power[s] = b^s mod d for the bit pairs s = 1, 2, 3
    Digit power[4][FIXED_DIGITS] = {};
    std::copy_n(b, n, power[1]);
    fixed_mod_mul(power[2], power[1], power[1], d, n);
    fixed_mod_mul(power[3], power[2], power[1], d, n);

    Digit t[FIXED_DIGITS];
    std::fill_n(t, n, Digit{0});
    t[0] = 1;

    const int cd = fixed_digits(c, c_digits);
    for (int i = cd - 1; i >= 0; --i) {
        Digit digit = c[i];
        int bits = 32;
        if (i == cd - 1) {
            while ((digit >> 30) == 0) {
                digit <<= 2;
                bits -= 2;
            }
        }
        for (; bits > 0; bits -= 2, digit <<= 2) {
            fixed_mod_mul(t, t, t, d, n);
            fixed_mod_mul(t, t, t, d, n);
            const Digit s = digit >> 30;
            if (s != 0)
                fixed_mod_mul(t, t, power[s], d, n);
        }
    }
    std::copy_n(t, n, a);
}
