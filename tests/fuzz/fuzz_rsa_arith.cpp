// fuzz_rsa_arith.cpp: the fixed-width arithmetic of raw RSA against mbedTLS's bignum on arbitrary operands
// (tests/support/rsa_check.h): multiplication, division with remainder, the shifts, and rsa_modexp itself
// for moduli of any length up to 64 bytes, odd or even.
#include "tests/fuzz/fuzz_driver.h"
#include "tests/support/rsa_check.h"

namespace {

Bytes take(FuzzInput& in, std::size_t max)
{
    std::size_t n = (static_cast<std::size_t>(in.byte()) << 8 | in.byte()) % (max + 1);
    Bytes v(n);
    for (std::uint8_t& b : v)
        b = in.byte();
    return v;
}

std::string check(FuzzInput& in)
{
    switch (in.byte() % 4) {
    case 0: {
        const Bytes b = take(in, 512), c = take(in, 512);
        return rsa_check::mul(b, c, FIXED_DIGITS);
    }
    case 1: {
        const Bytes c = take(in, 1032), d = take(in, 516);
        return rsa_check::div(c, 2 * FIXED_DIGITS, d, FIXED_DIGITS);
    }
    case 2: {
        const Bytes b = take(in, 516);
        const unsigned bits = in.byte() % 32;
        return rsa_check::shifts(b, bits, 1 + in.byte() % FIXED_DIGITS);
    }
    default: {
        const Bytes modulus = take(in, 64);
        Bytes input = take(in, 64);
        const Bytes exponent = take(in, 64);
        input.resize(modulus.size());
        if (modulus.empty() || exponent.empty() || exponent.size() > modulus.size())
            return "";
        return rsa_check::modexp(input, modulus, exponent);
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::string differs = check(in);
    FUZZ_CHECK(differs.empty(), differs);
    return 0;
}
