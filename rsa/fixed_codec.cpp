// fixed_codec.cpp: fixed-width numbers to and from big-endian bytes, digit counting and comparison.
#include "rsa/fixed_num.h"

void fixed_decode(Digit* a, int digits, const std::uint8_t* bytes, int length) {
    int j = length - 1;
    for (int i = 0; i < digits; ++i) {
        Digit value = 0;
        for (unsigned shift = 0; j >= 0 && shift < 32; shift += 8, --j)
            value |= Digit{bytes[j]} << shift;
        a[i] = value;
    }
}

void fixed_encode(std::uint8_t* bytes, int length, const Digit* a, int digits) {
    int j = length - 1;
    for (int i = 0; i < digits && j >= 0; ++i) {
        const Digit value = a[i];
        for (unsigned shift = 0; j >= 0 && shift < 32; shift += 8, --j)
            bytes[j] = static_cast<std::uint8_t>(value >> shift);
    }
    for (; j >= 0; --j)
        bytes[j] = 0;
}

int fixed_digits(const Digit* a, int n) {
    while (n > 0 && a[n - 1] == 0)
        --n;
    return n;
}

int fixed_compare(const Digit* a, const Digit* b, int n) {
    while (n-- > 0) {
        if (a[n] != b[n])
            return a[n] > b[n] ? 1 : -1;
    }
    return 0;
}
