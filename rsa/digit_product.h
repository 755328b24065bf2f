// digit_product.h: the product of two 32-bit digits. On 32-bit x86 one mull gives the whole 64-bit product
// (the compiler emits it for a product of two zero-extended 32-bit values); elsewhere one 64-bit multiply.
// Both replace the four 16 x 16-bit products of half digits that were formed here before: same values.
#pragma once

#include <cstdint>

#include "rsa/fixed_num.h"

inline std::uint64_t digit_product(Digit a, Digit b) { return std::uint64_t{a} * b; }

// True where the processor's registers are 32 bits wide (the i686 build): there a 64-bit addition takes
// two instructions with a carry, and the inner loops keep their running sums in one digit and a carry.
inline constexpr bool NARROW_REGISTERS = sizeof(void*) == 4;
