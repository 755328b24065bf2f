// fixed_shift.cpp: shifts of fixed-width numbers by 0 to 31 bits.
#include "rsa/fixed_num.h"

Digit fixed_shift_left(Digit* a, const Digit* b, unsigned bits, int n) {
    if (bits >= 32)
        return 0;
    Digit carry = 0;
    for (int i = 0; i < n; ++i) {
        const Digit value = b[i];
        a[i] = (value << bits) | carry;
        carry = bits ? value >> (32 - bits) : 0;
    }
    return carry;
}

void fixed_shift_right(Digit* a, const Digit* b, unsigned bits, int n) {
    if (bits >= 32)
        return;
    Digit carry = 0;
    for (int i = n - 1; i >= 0; --i) {
        const Digit value = b[i];
        a[i] = (value >> bits) | carry;
        carry = bits ? value << (32 - bits) : 0;
    }
}
