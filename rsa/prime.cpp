// prime.cpp: prime search by stepping from a random odd start, trial division by the odd primes
// below 1000, then Miller-Rabin rounds with random bases; large searches sieve ahead (see sieved_search)
// with the same candidates, draws and verdicts.
#include "rsa/prime.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "rsa/montgomery.h"
#include "rsa/mpi.h"

namespace {

struct RoundRow {
    std::size_t min_bits;
    int rounds;
};

// Handbook of Applied Cryptography, table 4.4: rounds for an error below 2^-80.
constexpr RoundRow ROUND_TABLE[] = {
    {1300, 2}, {850, 3}, {650, 4}, {350, 8}, {250, 12}, {150, 18}, {0, 27},
};

// mbedtls_mpi_mod_int divides half a limb at a time: its divisor must fit in half a limb (2^16 with the
// 32-bit limbs of the i686 build, where larger products gave wrong remainders), and be a positive digit.
constexpr std::uint64_t PRODUCT_LIMIT =
    std::min(std::uint64_t{1} << 31, std::uint64_t{1} << (4 * sizeof(mbedtls_mpi_uint)));

// SMALL_PRIMES in runs whose products stay below PRODUCT_LIMIT.
constexpr std::size_t PRODUCT_COUNT = [] {
    std::size_t count = 0;
    std::uint64_t product = 1;
    for (std::uint16_t p : SMALL_PRIMES) {
        if (product * p >= PRODUCT_LIMIT) {
            ++count;
            product = 1;
        }
        product *= p;
    }
    return count + 1;
}();

constexpr auto PRIME_PRODUCTS = [] {
    std::array<std::uint32_t, PRODUCT_COUNT> products{};
    std::size_t count = 0;
    std::uint64_t product = 1;
    for (std::uint16_t p : SMALL_PRIMES) {
        if (product * p >= PRODUCT_LIMIT) {
            products[count++] = static_cast<std::uint32_t>(product);
            product = 1;
        }
        product *= p;
    }
    products[count] = static_cast<std::uint32_t>(product);
    return products;
}();

// X := a number of draws random bytes, the first draw its lowest byte.
int fill_random(mbedtls_mpi* X, std::size_t draws, const RandomSource& random) {
    constexpr std::size_t limb_bytes = sizeof(mbedtls_mpi_uint);
    int ret = mbedtls_mpi_grow(X, (draws + limb_bytes - 1) / limb_bytes);
    if (ret == 0)
        ret = mbedtls_mpi_lset(X, 0);
    if (ret != 0)
        return ret;
    for (std::size_t i = 0; i < draws; ++i)
        X->p[i / limb_bytes] |= mbedtls_mpi_uint{random_byte(random)} << (8 * (i % limb_bytes));
    return 0;
}

// 0 when round passes for base A, PRIME_NOT_ACCEPTABLE when it proves X composite.
int miller_rabin_round(const mbedtls_mpi* X, const mbedtls_mpi* W, const mbedtls_mpi* R, std::size_t s,
                       const mbedtls_mpi* A, mbedtls_mpi* RR) {
    Mpi Y, square;
    // With 32-bit limbs (the i686 build) the Comba Montgomery exponentiation of montgomery.h is about twice
    // as fast as mbedTLS's; with 64-bit limbs mbedTLS's is the faster. The same Y either way.
    int ret = sizeof(mbedtls_mpi_uint) == 4 ? montgomery_exp_mod(&Y, A, R, X) : mbedtls_mpi_exp_mod(&Y, A, R, X, RR);
    if (ret != 0)
        return ret;
    if (mbedtls_mpi_cmp_int(&Y, 1) == 0 || mbedtls_mpi_cmp_mpi(&Y, W) == 0)
        return 0;
    for (std::size_t j = 1; j < s && mbedtls_mpi_cmp_mpi(&Y, W) != 0; ++j) {
        if ((ret = mbedtls_mpi_mul_mpi(&square, &Y, &Y)) != 0 || (ret = mbedtls_mpi_mod_mpi(&Y, &square, X)) != 0)
            return ret;
        if (mbedtls_mpi_cmp_int(&Y, 1) == 0)
            break;
    }
    return mbedtls_mpi_cmp_mpi(&Y, W) == 0 ? 0 : PRIME_NOT_ACCEPTABLE;
}

// Adds the time from its construction to its end to a figure of prime_search_stats, when that is set.
class StatsTimer {
public:
    explicit StatsTimer(double PrimeSearchStats::*figure) : figure_(figure) {
        if (prime_search_stats)
            start_ = std::chrono::steady_clock::now();
    }
    ~StatsTimer() {
        if (prime_search_stats)
            prime_search_stats->*figure_ +=
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }
    StatsTimer(const StatsTimer&) = delete;
    StatsTimer& operator=(const StatsTimer&) = delete;

private:
    double PrimeSearchStats::*figure_;
    std::chrono::steady_clock::time_point start_{};
};

} // namespace

PrimeSearchStats* prime_search_stats = nullptr;

int prime_rounds(std::size_t bits) {
    for (const RoundRow& row : ROUND_TABLE) {
        if (bits >= row.min_bits)
            return row.rounds;
    }
    return ROUND_TABLE[std::size(ROUND_TABLE) - 1].rounds;
}

std::size_t random_draws(std::size_t bits) { return 4 * ((bits + 31) / 32); }

namespace {

constexpr int PASSED_TRIAL_DIVISION = 1;

// Trial division in ascending order: 0 when X is one of the small primes, PRIME_NOT_ACCEPTABLE when one
// divides it, PASSED_TRIAL_DIVISION when none does, or an arithmetic error.
int trial_division(const mbedtls_mpi* X) {
    // X mod p is taken from X mod (a product of consecutive small primes below PRODUCT_LIMIT), one pass
    // over X's limbs for several primes.
    std::size_t next = 0;
    for (const std::uint32_t product : PRIME_PRODUCTS) {
        mbedtls_mpi_uint rest;
        if (const int ret = mbedtls_mpi_mod_int(&rest, X, static_cast<mbedtls_mpi_sint>(product)); ret != 0)
            return ret;
        for (; next < SMALL_PRIMES.size() && product % SMALL_PRIMES[next] == 0; ++next) {
            const std::uint16_t p = SMALL_PRIMES[next];
            if (mbedtls_mpi_cmp_int(X, p) <= 0)
                return 0;
            if (rest % p == 0)
                return PRIME_NOT_ACCEPTABLE;
        }
    }
    return PASSED_TRIAL_DIVISION;
}

// A random base for a round on X: fewer bits than W = X - 1, its two low bits set.
int draw_base(mbedtls_mpi* A, std::size_t x_bits, std::size_t w_bits, const RandomSource& random) {
    int ret = fill_random(A, random_draws(x_bits), random);
    if (ret != 0)
        return ret;
    const std::size_t a_bits = mbedtls_mpi_bitlen(A);
    if (a_bits + 1 > w_bits && (ret = mbedtls_mpi_shift_r(A, a_bits - w_bits + 1)) != 0)
        return ret;
    A->p[0] |= 3;
    return 0;
}

// The Miller-Rabin rounds of X, odd and above the small primes: 0 when all pass, PRIME_NOT_ACCEPTABLE at
// the first that fails, or an arithmetic error. first_base, when given, is the base of the first round,
// already drawn by draw_base.
int miller_rabin(const mbedtls_mpi* X, const RandomSource& random, const mbedtls_mpi* first_base = nullptr) {
    // X - 1 = 2^s * R with R odd
    Mpi W, R, A, RR;
    int ret;
    if ((ret = mbedtls_mpi_sub_int(&W, X, 1)) != 0)
        return ret;
    const std::size_t s = mbedtls_mpi_lsb(&W);
    if ((ret = mbedtls_mpi_copy(&R, &W)) != 0 || (ret = mbedtls_mpi_shift_r(&R, s)) != 0)
        return ret;

    const std::size_t x_bits = mbedtls_mpi_bitlen(X);
    const std::size_t w_bits = mbedtls_mpi_bitlen(&W);
    const int rounds = prime_rounds(x_bits);
    for (int round = 0; round < rounds; ++round) {
        if (round == 0 && first_base != nullptr)
            ret = mbedtls_mpi_copy(&A, first_base);
        else
            ret = draw_base(&A, x_bits, w_bits, random);
        if (ret != 0)
            return ret;
        if (prime_search_stats)
            ++prime_search_stats->rounds;
        if ((ret = miller_rabin_round(X, &W, &R, s, &A, &RR)) != 0)
            return ret;
    }
    return 0;
}

// The sieve of prime_generate: odd candidates X0, X0 + 2, ... are struck out in segments by the odd
// primes below SIEVE_LIMIT. A candidate struck out by a small prime (below 1000) is what trial division
// refuses, without a draw. One struck out only by a larger prime f is composite, and trial division
// passes it to Miller-Rabin, whose first round draws a base A and fails for every composite but the rare
// strong pseudoprime to A. The base is drawn as that round draws it; a round that passes for A would have
// A^(X-1) = 1 mod X, and so mod f: where A^(X-1) mod f, found in small numbers, is not 1, the round fails
// and the candidate is refused after the one base, as Miller-Rabin refuses it. Otherwise the rounds run
// in full. Same candidates, same draws, same verdicts; only the exponentiation modulo X is spared.
constexpr std::uint32_t SIEVE_LIMIT = 1u << 20;
constexpr std::size_t SIEVE_MIN_BITS = 64; // candidates far above every sieving prime
constexpr std::uint32_t SEGMENT = 512;     // candidates sieved at a time

// The odd primes below SIEVE_LIMIT, ascending; the first 167 are SMALL_PRIMES.
const std::vector<std::uint32_t>& sieve_primes() {
    static const std::vector<std::uint32_t> primes = [] {
        std::vector<bool> composite(SIEVE_LIMIT);
        std::vector<std::uint32_t> list;
        for (std::uint32_t p = 3; p < SIEVE_LIMIT; p += 2) {
            if (composite[p])
                continue;
            list.push_back(p);
            for (std::uint64_t m = std::uint64_t{p} * p; m < SIEVE_LIMIT; m += 2 * p)
                composite[m] = true;
        }
        return list;
    }();
    return primes;
}

// (high * 2^32 + low) mod m, for high below m.
inline std::uint32_t mod_step(std::uint32_t high, std::uint32_t low, std::uint32_t m) {
#if defined(__i386__)
    // One divide of 64 by 32 bits: the quotient fits since high < m (the compiler would call __umoddi3).
    std::uint32_t quotient, rest;
    __asm__("divl %4" : "=a"(quotient), "=d"(rest) : "a"(low), "d"(high), "rm"(m) : "cc");
    return rest;
#else
    return static_cast<std::uint32_t>(((std::uint64_t{high} << 32) | low) % m);
#endif
}

// X mod m for a non-negative X and m from 1 to 2^32 - 1.
std::uint32_t residue(const mbedtls_mpi* X, std::uint32_t m) {
    std::uint32_t rest = 0;
    for (std::size_t i = X->n; i-- > 0;) {
        const mbedtls_mpi_uint limb = X->p[i];
        for (int half = static_cast<int>(sizeof limb / 4) - 1; half >= 0; --half)
            rest = mod_step(rest, static_cast<std::uint32_t>(limb >> (32 * half)), m);
    }
    return rest;
}

std::uint32_t pow_mod(std::uint32_t a, std::uint32_t e, std::uint32_t m) {
    std::uint64_t result = 1 % m, square = a % m;
    for (; e != 0; e >>= 1) {
        if (e & 1)
            result = result * square % m;
        square = square * square % m;
    }
    return static_cast<std::uint32_t>(result);
}

// A candidate's mark in a segment: none, a small prime divides it, or the first larger prime that does.
constexpr std::uint32_t UNMARKED = 0, SMALL_FACTOR = 1;

// prime_test of X (odd, above SIEVE_LIMIT) given its mark.
int sieved_test(const mbedtls_mpi* X, std::uint32_t mark, const RandomSource& random) {
    if (prime_search_stats)
        ++prime_search_stats->candidates;
    if (mark == SMALL_FACTOR) {
        if (prime_search_stats)
            ++prime_search_stats->divided_out;
        return PRIME_NOT_ACCEPTABLE;
    }
    if (mark == UNMARKED) {
        const StatsTimer timer(&PrimeSearchStats::rounds_seconds);
        return miller_rabin(X, random);
    }
    // A factor f = mark above the small primes: the first base, then A^(X-1) mod f.
    const std::uint32_t f = mark;
    Mpi A;
    {
        const StatsTimer timer(&PrimeSearchStats::trial_seconds);
        const std::size_t x_bits = mbedtls_mpi_bitlen(X);
        // X is odd and above 2, so X - 1 has as many bits as X.
        if (const int ret = draw_base(&A, x_bits, x_bits, random); ret != 0)
            return ret;
        const std::uint32_t exponent = (residue(X, f - 1) + f - 2) % (f - 1); // (X - 1) mod (f - 1)
        const std::uint32_t a = residue(&A, f);
        if (a == 0 || pow_mod(a, exponent, f) != 1) {
            if (prime_search_stats)
                ++prime_search_stats->rounds_by_factor;
            return PRIME_NOT_ACCEPTABLE;
        }
    }
    const StatsTimer timer(&PrimeSearchStats::rounds_seconds);
    return miller_rabin(X, random, &A);
}

// The search of prime_generate from X (odd, at least SIEVE_MIN_BITS bits), sieving ahead.
int sieved_search(mbedtls_mpi* X, const RandomSource& random) {
    const std::vector<std::uint32_t>& primes = sieve_primes();
    std::vector<std::uint32_t> rests(primes.size()); // X mod p, for the segment's first candidate
    std::vector<std::uint32_t> marks(SEGMENT);
    {
        const StatsTimer timer(&PrimeSearchStats::trial_seconds);
        for (std::size_t i = 0; i < primes.size(); ++i)
            rests[i] = residue(X, primes[i]);
    }
    for (;;) {
        {
            const StatsTimer timer(&PrimeSearchStats::trial_seconds);
            std::fill(marks.begin(), marks.end(), UNMARKED);
            // Larger primes first, so that a small factor's mark overrides theirs and each candidate keeps
            // the smallest larger prime that divides it.
            for (std::size_t i = primes.size(); i-- > 0;) {
                const std::uint32_t p = primes[i];
                const std::uint32_t r = rests[i];
                // X + 2k = 0 mod p: k = -r / 2 mod p
                std::uint32_t k = r == 0 ? 0 : (r & 1) ? (p - r) / 2 : p - r / 2;
                const std::uint32_t mark = i < SMALL_PRIMES.size() ? SMALL_FACTOR : p;
                for (; k < SEGMENT; k += p)
                    marks[k] = mark;
                rests[i] = static_cast<std::uint32_t>((r + std::uint64_t{2} * SEGMENT) % p);
            }
        }
        for (std::uint32_t k = 0; k < SEGMENT; ++k) {
            const int ret = sieved_test(X, marks[k], random);
            if (ret != PRIME_NOT_ACCEPTABLE)
                return ret;
            if (const int add = mbedtls_mpi_add_int(X, X, 2); add != 0)
                return add;
        }
    }
}

} // namespace

int prime_test(const mbedtls_mpi* X, const RandomSource& random) {
    if (mbedtls_mpi_get_bit(X, 0) == 0)
        return PRIME_NOT_ACCEPTABLE;
    if (prime_search_stats)
        ++prime_search_stats->candidates;
    int ret;
    {
        const StatsTimer timer(&PrimeSearchStats::trial_seconds);
        ret = trial_division(X);
    }
    if (ret != PASSED_TRIAL_DIVISION) {
        if (ret == PRIME_NOT_ACCEPTABLE && prime_search_stats)
            ++prime_search_stats->divided_out;
        return ret;
    }
    const StatsTimer timer(&PrimeSearchStats::rounds_seconds);
    return miller_rabin(X, random);
}

int prime_generate(mbedtls_mpi* X, int nbits, const RandomSource& random) {
    if (nbits < 3)
        return PRIME_BAD_INPUT;
    const auto bits = static_cast<std::size_t>(nbits);

    int ret = fill_random(X, random_draws(bits), random);
    if (ret != 0)
        return ret;
    // Exactly nbits bits: the top bit set. Draws that were all zero count as 1, so that the shift
    // still lands the top bit where it belongs.
    if (mbedtls_mpi_cmp_int(X, 0) == 0 && (ret = mbedtls_mpi_lset(X, 1)) != 0)
        return ret;
    const std::size_t b = mbedtls_mpi_bitlen(X);
    if (b < bits)
        ret = mbedtls_mpi_shift_l(X, bits - b);
    else if (b > bits)
        ret = mbedtls_mpi_shift_r(X, b - bits);
    if (ret != 0)
        return ret;
    X->p[0] |= 3;

    if (bits >= SIEVE_MIN_BITS)
        return sieved_search(X, random);
    while ((ret = prime_test(X, random)) == PRIME_NOT_ACCEPTABLE) {
        if ((ret = mbedtls_mpi_add_int(X, X, 2)) != 0)
            return ret;
    }
    return ret;
}
