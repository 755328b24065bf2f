// digit_product.h: the product of two 32-bit digits, formed from the four 16 x 16-bit products of
// their half digits, so that no 64-bit multiply is needed; only 64-bit additions and shifts.
#pragma once

#include <cstdint>

#include "rsa/fixed_num.h"

inline std::uint64_t digit_product(Digit a, Digit b) {
    const Digit a_low = a & 0xFFFF, a_high = a >> 16;
    const Digit b_low = b & 0xFFFF, b_high = b >> 16;
    const std::uint64_t cross = std::uint64_t{a_low * b_high} + a_high * b_low; // up to 33 bits
    return (std::uint64_t{a_high * b_high} << 32) + (cross << 16) + a_low * b_low;
}
