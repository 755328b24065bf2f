// rsa_bench.cpp: speed of RSA-4096 key generation against `openssl genrsa 4096`, of rsa_modexp
// against mbedtls_mpi_exp_mod on the same 4096-bit numbers, and of one HAVEGE fill.
// Usage: rsa_bench [key generations, default 20]
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include <mbedtls/bignum.h>

#include "core/field.h"
#include "rsa/havege.h"
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

    const double ours = median_of(runs, [&] { rsa_modexp(input, modulus, RSA_MAX_BYTES, exponent, RSA_MAX_BYTES, out); });

    mbedtls_mpi A, E, N, X;
    for (mbedtls_mpi* x : {&A, &E, &N, &X})
        mbedtls_mpi_init(x);
    mbedtls_mpi_read_binary(&A, input, RSA_MAX_BYTES);
    mbedtls_mpi_read_binary(&E, exponent, RSA_MAX_BYTES);
    mbedtls_mpi_read_binary(&N, modulus, RSA_MAX_BYTES);
    const double theirs = median_of(runs, [&] { mbedtls_mpi_exp_mod(&X, &A, &E, &N, nullptr); });
    std::uint8_t check[RSA_MAX_BYTES];
    mbedtls_mpi_write_binary(&X, check, RSA_MAX_BYTES);
    for (mbedtls_mpi* x : {&A, &E, &N, &X})
        mbedtls_mpi_free(x);

    std::printf("rsa_modexp 512-byte modulus and exponent: %.3f s, mbedtls_mpi_exp_mod %.3f s, ratio %.2f%s\n", ours,
                theirs, ours / theirs, std::equal(check, check + RSA_MAX_BYTES, out) ? "" : "  RESULTS DIFFER");
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
        theirs.push_back(seconds([] {
            if (std::system("openssl genrsa -out /dev/null 4096 2>/dev/null") != 0)
                std::printf("openssl genrsa failed\n");
        }));
        std::printf("  run %d: ours %.2f s, openssl %.2f s\n", i + 1, ours.back(), theirs.back());
        std::fflush(stdout);
    }
    const double a = median(ours), b = median(theirs);
    std::printf("RSA-4096 key generation (median of %d): %.2f s, openssl genrsa %.2f s, ratio %.2f\n", runs, a, b,
                a / b);
}

} // namespace

int main(int argc, char** argv) {
    const int keys = argc > 1 ? std::max(0, std::atoi(argv[1])) : 20;
    havege(101);
    modexp(5);
    if (keys > 0)
        keygen(keys);
    return 0;
}
