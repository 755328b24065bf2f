// prime.cpp: prime search by stepping from a random odd start, trial division by the odd primes
// below 1000, then Miller-Rabin rounds with random bases.
#include "rsa/prime.h"

#include <algorithm>
#include <chrono>

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
    int ret = mbedtls_mpi_exp_mod(&Y, A, R, X, RR);
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

// The Miller-Rabin rounds of X, odd and above the small primes: 0 when all pass, PRIME_NOT_ACCEPTABLE at
// the first that fails, or an arithmetic error.
int miller_rabin(const mbedtls_mpi* X, const RandomSource& random) {
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
        // A random base with fewer bits than W, its two low bits set.
        if ((ret = fill_random(&A, random_draws(x_bits), random)) != 0)
            return ret;
        const std::size_t a_bits = mbedtls_mpi_bitlen(&A);
        if (a_bits + 1 > w_bits && (ret = mbedtls_mpi_shift_r(&A, a_bits - w_bits + 1)) != 0)
            return ret;
        A.value.p[0] |= 3;
        if (prime_search_stats)
            ++prime_search_stats->rounds;
        if ((ret = miller_rabin_round(X, &W, &R, s, &A, &RR)) != 0)
            return ret;
    }
    return 0;
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

    while ((ret = prime_test(X, random)) == PRIME_NOT_ACCEPTABLE) {
        if ((ret = mbedtls_mpi_add_int(X, X, 2)) != 0)
            return ret;
    }
    return ret;
}
