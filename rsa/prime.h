// prime.h: random probable primes of a given bit length, and the probable-prime test behind them.
#pragma once

#include <array>
#include <cstdint>

#include <mbedtls/bignum.h>

#include "rsa/random_source.h"

inline constexpr int PRIME_BAD_INPUT = -0x0004;      // fewer than 3 bits requested
inline constexpr int PRIME_NOT_ACCEPTABLE = -0x000E; // composite

// The 167 odd primes from 3 to 997, ascending, built by a sieve of Eratosthenes.
inline constexpr auto SMALL_PRIMES = [] {
    std::array<std::uint16_t, 167> primes{};
    std::array<bool, 1000> composite{};
    std::size_t count = 0;
    for (unsigned p = 2; p < composite.size(); ++p) {
        if (composite[p])
            continue;
        for (unsigned m = p * p; m < composite.size(); m += p)
            composite[m] = true;
        if (p > 2)
            primes[count++] = static_cast<std::uint16_t>(p);
    }
    return primes;
}();

// Where the prime search spends its time, for the benchmark: collected only while prime_search_stats
// points at a record (null by default), which the search then adds to.
struct PrimeSearchStats {
    std::uint64_t candidates = 0;  // odd numbers examined
    std::uint64_t divided_out = 0; // of those, found composite by a small prime
    std::uint64_t rounds = 0;      // Miller-Rabin rounds run
    std::uint64_t rounds_by_factor = 0; // first rounds found failing from a factor above 1000 instead
    double trial_seconds = 0;      // in trial division (or the sieve that stands for it)
    double rounds_seconds = 0;     // in the Miller-Rabin rounds
};
extern PrimeSearchStats* prime_search_stats;

// Miller-Rabin rounds for a candidate of this many bits (Handbook of Applied Cryptography, table 4.4).
int prime_rounds(std::size_t bits);

// Random draws that fill a number of this many bits: 4 per 32-bit limb, whatever the limb width.
std::size_t random_draws(std::size_t bits);

// X := a probable prime of nbits bits (rarely nbits + 1 after stepping past 2^nbits); 0, PRIME_BAD_INPUT,
// or the error of the arithmetic step that failed.
int prime_generate(mbedtls_mpi* X, int nbits, const RandomSource& random);

// 0 when X passes trial division and the Miller-Rabin rounds, PRIME_NOT_ACCEPTABLE when it is found
// composite, or the error of the arithmetic step that failed. X is odd and at least 3.
int prime_test(const mbedtls_mpi* X, const RandomSource& random);
