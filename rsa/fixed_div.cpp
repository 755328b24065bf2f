// fixed_div.cpp: long division of fixed-width numbers with estimated quotient digits.
#include <algorithm>
#include <bit>
#include <cstdint>

#include "rsa/digit_product.h"

// One divide of 64 by 32 bits where the processor has it (the quotient fits, since high < d); elsewhere the
// 64-bit dividend is divided in two halves of 16 bits: each half of the quotient is first
// under-estimated by dividing by (high half of d) + 1, then corrected upward.
Digit fixed_digit_div(const Digit dividend[2], Digit d) {
#if defined(__i386__) || defined(__x86_64__)
    if (dividend[1] >= d) // outside the contract: a quotient that does not fit would fault in divl
        return fixed_digit_div_halves(dividend, d);
    Digit quotient, rest;
    __asm__("divl %4" : "=a"(quotient), "=d"(rest) : "a"(dividend[0]), "d"(dividend[1]), "rm"(d) : "cc");
    return quotient;
#endif
    return fixed_digit_div_halves(dividend, d);
}

Digit fixed_digit_div_halves(const Digit dividend[2], Digit d) {
    const Digit d_high = d >> 16, d_low = d & 0xFFFF;
    std::uint64_t rest = (std::uint64_t{dividend[1]} << 32) | dividend[0];

    const Digit top = static_cast<Digit>(rest >> 32);
    Digit q_high = d_high == 0xFFFF ? top >> 16 : top / (d_high + 1);
    rest -= (std::uint64_t{q_high * d_low} << 16) + (std::uint64_t{q_high * d_high} << 32);
    const std::uint64_t d_shifted = std::uint64_t{d} << 16;
    while (rest >= d_shifted) {
        rest -= d_shifted;
        ++q_high;
    }

    const Digit middle = static_cast<Digit>(rest >> 16); // rest < d * 2^16, so this fits
    Digit q_low = d_high == 0xFFFF ? middle >> 16 : middle / (d_high + 1);
    rest -= std::uint64_t{q_low * d_low} + (std::uint64_t{q_low * d_high} << 16);
    while (rest >= d) {
        rest -= d;
        ++q_low;
    }
    return (q_high << 16) + q_low;
}

// window[0 .. n] -= q * d[0 .. n - 1]
static void subtract_multiple(Digit* window, Digit q, const Digit* d, int n) {
    if constexpr (NARROW_REGISTERS) {
        // Product and borrow resolved digit by digit: a mull and 32-bit arithmetic with carry.
        Digit borrow = 0; // the high digit of the running product plus the borrow, below 2^32
        for (int j = 0; j < n; ++j) {
            const std::uint64_t p = digit_product(q, d[j]) + borrow;
            const Digit low = static_cast<Digit>(p);
            const Digit value = window[j];
            window[j] = value - low;
            borrow = static_cast<Digit>(p >> 32) + (value < low);
        }
        window[n] -= borrow;
        return;
    }
    // The digit products first, free of any carry, then one pass of subtraction with borrow.
    Digit low[FIXED_DIGITS], high[FIXED_DIGITS];
    for (int j = 0; j < n; ++j) {
        const std::uint64_t p = digit_product(q, d[j]);
        low[j] = static_cast<Digit>(p);
        high[j] = static_cast<Digit>(p >> 32);
    }
    std::int64_t borrow = 0;
    Digit high_before = 0;
    for (int j = 0; j < n; ++j) {
        const std::int64_t t = std::int64_t{window[j]} - low[j] - high_before - borrow;
        window[j] = static_cast<Digit>(t);
        borrow = -(t >> 32); // 0 to 3: t never falls below -2^33 - 3
        high_before = high[j];
    }
    window[n] -= high_before + static_cast<Digit>(borrow);
}

// window[0 .. n] -= d[0 .. n - 1]
static void subtract_once(Digit* window, const Digit* d, int n) {
    Digit borrow = 0;
    for (int j = 0; j < n; ++j) {
        const Digit value = window[j];
        const Digit take = d[j] + borrow;
        borrow = (take < borrow) | (take > value);
        window[j] = value - take;
    }
    window[n] -= borrow;
}

void fixed_div(Digit* quotient, Digit* remainder, const Digit* c, int c_digits, const Digit* d,
               int d_digits) {
    const int dd = fixed_digits(d, d_digits);
    if (dd == 0)
        return;

    // Normalise so that the divisor's top digit has its top bit set.
    const unsigned shift = static_cast<unsigned>(std::countl_zero(d[dd - 1]));
    Digit cc[2 * FIXED_DIGITS + 1];
    Digit dn[FIXED_DIGITS];
    cc[c_digits] = fixed_shift_left(cc, c, shift, c_digits);
    std::fill(cc + c_digits + 1, cc + std::max(c_digits + 1, dd), Digit{0});
    fixed_shift_left(dn, d, shift, dd);
    const Digit t = dn[dd - 1];

    if (quotient)
        std::fill_n(quotient, c_digits, Digit{0});
    for (int i = c_digits - dd; i >= 0; --i) {
        Digit q;
        if (t == 0xFFFFFFFF) {
            q = cc[i + dd];
        } else {
            const Digit top[2] = {cc[i + dd - 1], cc[i + dd]};
            q = fixed_digit_div(top, t + 1);
        }
        subtract_multiple(cc + i, q, dn, dd);
        while (cc[i + dd] != 0 || fixed_compare(cc + i, dn, dd) >= 0) {
            ++q;
            subtract_once(cc + i, dn, dd);
        }
        if (quotient)
            quotient[i] = q;
    }

    fixed_shift_right(remainder, cc, shift, dd);
    std::fill(remainder + dd, remainder + d_digits, Digit{0});
}
