// rsa_bench.cpp: speed of RSA-4096 key generation and of its parts. Figures that do not depend on luck
// come first: one Miller-Rabin round at 2048 bits, rsa_modexp at 4096 bits (against mbedtls_mpi_exp_mod on
// the same numbers), and key generations from fixed sequences of random draws, the same candidates for
// every build, with where their time goes. Then, natively only, key generation from HAVEGE as the row
// does it against `openssl genrsa 4096` (bench/rsa_keygen_cli_bench.py times the programs as shipped).
// Usage: rsa_bench [HAVEGE key generations, default 20] [fixed-draw keys, default 3]
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <vector>

#include <mbedtls/bignum.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "core/field.h"
#include "rsa/havege.h"
#include "rsa/key_verify.h"
#include "rsa/montgomery.h"
#include "rsa/mpi.h"
#include "rsa/prime.h"
#include "rsa/rsa_key.h"
#include "rsa/rsa_keygen.h"
#include "rsa/rsa_raw.h"

namespace {

using Clock = std::chrono::steady_clock;

template <class F>
double seconds(F&& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Processor time of this process (user and system), which other programs on a busy machine disturb less
// than the wall clock.
double cpu_seconds() {
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](FILETIME t) { return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;
#else
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
#endif
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

template <class F>
double median_of(int runs, F&& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(seconds(work));
    return median(times);
}

// A fixed sequence of draws: xorshift32 from a seed, the same on every build.
struct FixedDraws {
    std::uint32_t x;
    std::uint64_t draws = 0;
    RandomSource source() { return {draw, this}; }
    static std::int32_t draw(void* state) {
        auto* self = static_cast<FixedDraws*>(state);
        ++self->draws;
        self->x ^= self->x << 13;
        self->x ^= self->x >> 17;
        self->x ^= self->x << 5;
        return static_cast<std::int32_t>(self->x);
    }
};

// FNV-1a of an mbedTLS number's big-endian bytes: shows that every build found the same key.
std::uint64_t fingerprint(const mbedtls_mpi* x) {
    std::uint8_t bytes[2 * RSA_MAX_BYTES];
    const std::size_t length = mbedtls_mpi_size(x);
    mbedtls_mpi_write_binary(x, bytes, length);
    std::uint64_t h = 0xcbf29ce484222325;
    for (std::size_t i = 0; i < length; ++i)
        h = (h ^ bytes[i]) * 0x100000001b3;
    return h;
}

void miller_rabin_round(int runs) {
    // A fixed 2048-bit prime (the first from seed 1), then prime_test on it: trial division and two rounds.
    FixedDraws draws{1};
    mbedtls_mpi X;
    mbedtls_mpi_init(&X);
    prime_generate(&X, 2048, draws.source());
    PrimeSearchStats stats;
    prime_search_stats = &stats;
    const double cpu_start = cpu_seconds();
    for (int i = 0; i < runs; ++i)
        prime_test(&X, draws.source());
    const double cpu = cpu_seconds() - cpu_start;
    prime_search_stats = nullptr;
    // The exponentiation of a round, A^R mod X, by mbedTLS and by montgomery.h (processor time, 10 each).
    Mpi A, R, Y1, Y2;
    mbedtls_mpi_lset(&A, 0x12345);
    mbedtls_mpi_sub_int(&R, &X, 1);
    mbedtls_mpi_shift_r(&R, mbedtls_mpi_lsb(&R));
    double start = cpu_seconds();
    for (int i = 0; i < 10; ++i)
        mbedtls_mpi_exp_mod(&Y1, &A, &R, &X, nullptr);
    const double by_mbedtls = (cpu_seconds() - start) / 10;
    start = cpu_seconds();
    for (int i = 0; i < 10; ++i)
        montgomery_exp_mod(&Y2, &A, &R, &X);
    const double by_montgomery = (cpu_seconds() - start) / 10;
    std::printf("A^R mod X at 2048 bits: mbedtls_mpi_exp_mod %.2f ms, montgomery_exp_mod %.2f ms (processor)%s\n",
                by_mbedtls * 1e3, by_montgomery * 1e3, mbedtls_mpi_cmp_mpi(&Y1, &Y2) == 0 ? "" : "  RESULTS DIFFER");
    const double round = stats.rounds_seconds / static_cast<double>(stats.rounds);
    const double round_cpu = cpu / static_cast<double>(stats.rounds); // trial division is some 0.3 % of it
    std::printf("Miller-Rabin round, 2048-bit prime: %.2f ms processor (%.0f rounds/s), %.2f ms wall, mean of %llu; "
                "trial division of it %.1f us\n",
                round_cpu * 1e3, 1 / round_cpu, round * 1e3, static_cast<unsigned long long>(stats.rounds),
                stats.trial_seconds / runs * 1e6);
    mbedtls_mpi_free(&X);
}

void modexp(int runs) {
    std::mt19937 rng(4096);
    std::uint8_t modulus[RSA_MAX_BYTES], exponent[RSA_MAX_BYTES], input[RSA_MAX_BYTES], out[RSA_MAX_BYTES];
    for (int i = 0; i < RSA_MAX_BYTES; ++i) {
        modulus[i] = static_cast<std::uint8_t>(rng());
        exponent[i] = static_cast<std::uint8_t>(rng());
        input[i] = static_cast<std::uint8_t>(rng());
    }
    modulus[0] |= 0x80;
    modulus[RSA_MAX_BYTES - 1] |= 1; // Montgomery arithmetic in mbedTLS wants an odd modulus
    input[0] &= 0x7F;

    double cpu = cpu_seconds();
    const double ours = median_of(runs, [&] { rsa_modexp(input, modulus, RSA_MAX_BYTES, exponent, RSA_MAX_BYTES, out); });
    const double ours_cpu = (cpu_seconds() - cpu) / runs;

    mbedtls_mpi A, E, N, X;
    for (mbedtls_mpi* x : {&A, &E, &N, &X})
        mbedtls_mpi_init(x);
    mbedtls_mpi_read_binary(&A, input, RSA_MAX_BYTES);
    mbedtls_mpi_read_binary(&E, exponent, RSA_MAX_BYTES);
    mbedtls_mpi_read_binary(&N, modulus, RSA_MAX_BYTES);
    cpu = cpu_seconds();
    const double theirs = median_of(runs, [&] { mbedtls_mpi_exp_mod(&X, &A, &E, &N, nullptr); });
    const double theirs_cpu = (cpu_seconds() - cpu) / runs;
    std::uint8_t check[RSA_MAX_BYTES];
    mbedtls_mpi_write_binary(&X, check, RSA_MAX_BYTES);
    for (mbedtls_mpi* x : {&A, &E, &N, &X})
        mbedtls_mpi_free(x);

    std::printf("rsa_modexp 512-byte modulus and exponent: %.3f s processor (%.2f/s), %.3f s wall; "
                "mbedtls_mpi_exp_mod %.3f s processor, %.3f s wall; ratio %.2f processor%s\n",
                ours_cpu, 1 / ours_cpu, ours, theirs_cpu, theirs, ours_cpu / theirs_cpu,
                std::equal(check, check + RSA_MAX_BYTES, out) ? "" : "  RESULTS DIFFER");
}

// RSA-4096 keys from fixed draws (seeds 1 to keys), generated and verified as the row does, with where the
// time goes.
void fixed_keys(int keys) {
    PrimeSearchStats total;
    double generate = 0, verify = 0, modexp_part = 0, cpu = 0;
    int pairs = 0;
    static int pair_count;
    rsa_key_progress = [](int pair) { pair_count = pair; };
    for (int seed = 1; seed <= keys; ++seed) {
        FixedDraws draws{static_cast<std::uint32_t>(seed)};
        PrimeSearchStats stats;
        prime_search_stats = &stats;
        RsaKeyPair key;
        rsa_key_reset(&key, draws.source());
        const double cpu_start = cpu_seconds();
        const double g = seconds([&] {
            if (rsa_generate_key(&key, 4096, 0x010001) != 0)
                std::printf("key generation failed\n");
        });
        prime_search_stats = nullptr;
        pairs += pair_count;
        const std::uint64_t n_print = fingerprint(&key.N);
        // The check of the row: the private operation by CRT against rsa_modexp with D, timed apart.
        std::uint8_t n[RSA_MAX_BYTES], d[RSA_MAX_BYTES], message[RSA_MAX_BYTES], out[RSA_MAX_BYTES];
        const int d_length = static_cast<int>(mbedtls_mpi_size(&key.D));
        mbedtls_mpi_write_binary(&key.N, n, RSA_MAX_BYTES);
        mbedtls_mpi_write_binary(&key.D, d, static_cast<std::size_t>(d_length));
        for (int i = 0; i < RSA_MAX_BYTES; ++i)
            message[i] = static_cast<std::uint8_t>(i);
        const double m = seconds([&] { rsa_modexp(message, n, RSA_MAX_BYTES, d, d_length, out); });
        bool verified = false;
        const double v = seconds([&] { verified = rsa_verify_pair(&key, n, d, d_length); });
        cpu += cpu_seconds() - cpu_start;
        std::printf("  seed %d: N %016llx, %d pairs, %llu candidates, %llu rounds, %llu draws; "
                    "generation %.2f s, check %.2f s%s\n",
                    seed, static_cast<unsigned long long>(n_print), pair_count,
                    static_cast<unsigned long long>(stats.candidates), static_cast<unsigned long long>(stats.rounds),
                    static_cast<unsigned long long>(draws.draws), g, v, verified ? "" : "  CHECK FAILED");
        std::fflush(stdout);
        generate += g;
        verify += v;
        modexp_part += m;
        total.candidates += stats.candidates;
        total.divided_out += stats.divided_out;
        total.rounds += stats.rounds;
        total.trial_seconds += stats.trial_seconds;
        total.rounds_seconds += stats.rounds_seconds;
    }
    rsa_key_progress = nullptr;
    const double all = generate + verify;
    const double rest = generate - total.trial_seconds - total.rounds_seconds;
    std::printf("Fixed draws, %d RSA-4096 keys (%d prime pairs, %llu candidates, %llu divided out, %llu rounds): "
                "%.2f s, processor %.2f s\n",
                keys, pairs, static_cast<unsigned long long>(total.candidates),
                static_cast<unsigned long long>(total.divided_out), static_cast<unsigned long long>(total.rounds), all,
                cpu);
    std::printf("  trial division %.2f s (%.0f %%), Miller-Rabin %.2f s (%.0f %%), rest of generation %.2f s (%.0f %%), "
                "check %.2f s (%.0f %%; rsa_modexp alone %.2f s)\n",
                total.trial_seconds, 100 * total.trial_seconds / all, total.rounds_seconds,
                100 * total.rounds_seconds / all, rest, 100 * rest / all, verify, 100 * verify / all, modexp_part);
}

void havege(int runs) {
    static HavegeState state;
    havege_init(&state);
    const double fill = median_of(runs, [&] { havege_fill(&state); });
    std::printf("havege_fill: %.1f us (median of %d), %.1f ns a draw\n", fill * 1e6, runs, fill * 1e9 / 512);
}

void keygen(int runs) {
    std::vector<double> ours, theirs;
    for (int i = 0; i < runs; ++i) {
        ours.push_back(seconds([] {
            if (rsa_keygen_to_fields(512, 0x010001) != 0 || g_field[4].length != 512)
                std::printf("key generation failed\n");
        }));
#ifndef _WIN32
        theirs.push_back(seconds([] {
            if (std::system("openssl genrsa -out /dev/null 4096 2>/dev/null") != 0)
                std::printf("openssl genrsa failed\n");
        }));
        std::printf("  run %d: ours %.2f s, openssl %.2f s\n", i + 1, ours.back(), theirs.back());
#else
        std::printf("  run %d: %.2f s\n", i + 1, ours.back());
#endif
        std::fflush(stdout);
    }
    const double a = median(ours);
    if (theirs.empty()) {
        std::printf("RSA-4096 key generation (median of %d): %.2f s\n", runs, a);
        return;
    }
    const double b = median(theirs);
    std::printf("RSA-4096 key generation (median of %d): %.2f s, openssl genrsa %.2f s, ratio %.2f\n", runs, a, b,
                a / b);
}

} // namespace

int main(int argc, char** argv) {
    const int keys = argc > 1 ? std::max(0, std::atoi(argv[1])) : 20;
    const int fixed = argc > 2 ? std::max(0, std::atoi(argv[2])) : 3;
    std::printf("rsa_bench: %zu-bit mbedTLS limbs, %zu-bit pointers\n", 8 * sizeof(mbedtls_mpi_uint), 8 * sizeof(void*));
    havege(101);
    miller_rabin_round(20);
    modexp(3);
    if (fixed > 0)
        fixed_keys(fixed);
    if (keys > 0)
        keygen(keys);
    return 0;
}
