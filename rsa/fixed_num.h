// fixed_num.h: unsigned numbers of up to 129 32-bit digits, least significant digit first,
// and the arithmetic of raw RSA on them. All storage is fixed and lives on the caller's stack.
#pragma once

#include <cstdint>

using Digit = std::uint32_t;

inline constexpr int FIXED_DIGITS = 129; // one more than the 128 digits of a 4096-bit number

using FixedNum = Digit[FIXED_DIGITS];

// Big-endian bytes to digits: the last byte lands in bits 0-7 of digit 0; digits past the bytes are zero.
void fixed_decode(Digit* a, int digits, const std::uint8_t* bytes, int length);
// Digits to big-endian bytes, least significant byte last; leading bytes left over are zero.
void fixed_encode(std::uint8_t* bytes, int length, const Digit* a, int digits);

// Index of the highest non-zero digit among the first n, plus 1; 0 for zero.
int fixed_digits(const Digit* a, int n);
// -1, 0 or 1 as a is below, equal to or above b, over n digits.
int fixed_compare(const Digit* a, const Digit* b, int n);

// a (2n digits) = b * c; a may overlap b or c.
void fixed_mul(Digit* a, const Digit* b, const Digit* c, int n);
// a = b << bits within n digits (bits 0 to 31); returns the bits shifted out of the top digit.
// For bits of 32 or more nothing is done and 0 is returned.
Digit fixed_shift_left(Digit* a, const Digit* b, unsigned bits, int n);
// a = b >> bits within n digits (bits 0 to 31); for bits of 32 or more nothing is done.
void fixed_shift_right(Digit* a, const Digit* b, unsigned bits, int n);

// The quotient of the two-digit number (high, low) by d, whose top bit is set and which is above high.
Digit fixed_digit_div(const Digit dividend[2], Digit d);
// The same quotient formed from 16-bit halves with 32-bit divisions, for processors without a divide of
// 64 by 32 bits.
Digit fixed_digit_div_halves(const Digit dividend[2], Digit d);
// quotient (c_digits, may be null) and remainder (d_digits) of c by d; nothing when d is zero.
void fixed_div(Digit* quotient, Digit* remainder, const Digit* c, int c_digits, const Digit* d,
               int d_digits);

// a = b * c mod d, all of n digits.
void fixed_mod_mul(Digit* a, const Digit* b, const Digit* c, const Digit* d, int n);
// a = b^c mod d, for b below d; a has d_digits digits.
void fixed_mod_exp(Digit* a, const Digit* b, const Digit* c, int c_digits, const Digit* d, int d_digits);
