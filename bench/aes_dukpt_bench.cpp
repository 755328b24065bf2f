// aes_dukpt_bench.cpp: an AES DUKPT working key at the worst counter (16 one-bits: 16 intermediate
// derivations and the working key's own) through aes_dukpt/derivation.h, beside the same derivation
// written over mbedTLS's AES in the same run; the two keys are compared.
// Usage: aes_dukpt_bench [derivations per timing, default 2000]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <mbedtls/aes.h>

#include "aes_dukpt/derivation.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint8_t BDK[16] = {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10,
                                  0xF1, 0xF1, 0xF1, 0xF1, 0xF1, 0xF1, 0xF1, 0xF1};
constexpr std::uint8_t IKID[8] = {0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x34, 0x56};
constexpr std::uint32_t WORST_COUNTER = 0xFFFF0000; // 16 one-bits, the last counter a device uses

// One AES-128 derivation with mbedTLS: ECB of the derivation data under the key.
void mbedtls_derive(const std::uint8_t key[16], std::uint16_t usage, std::uint32_t counter, std::uint8_t out[16])
{
    std::uint8_t data[16] = {0x01, 0x01, static_cast<std::uint8_t>(usage >> 8), static_cast<std::uint8_t>(usage),
                             0x00, 0x02, 0x00, 0x80};
    std::memcpy(data + 8, IKID + 4, 4);
    for (int i = 0; i < 4; ++i)
        data[12 + i] = static_cast<std::uint8_t>(counter >> (24 - 8 * i));
    mbedtls_aes_context aes;
    mbedtls_aes_init(&aes);
    mbedtls_aes_setkey_enc(&aes, key, 128);
    mbedtls_aes_crypt_ecb(&aes, MBEDTLS_AES_ENCRYPT, data, out);
    mbedtls_aes_free(&aes);
}

void mbedtls_working_key(const std::uint8_t initial[16], std::uint8_t out[16])
{
    std::uint8_t key[16];
    std::memcpy(key, initial, 16);
    std::uint32_t reached = 0;
    for (std::uint32_t bit = 0x80000000u; bit != 0; bit >>= 1) {
        if (WORST_COUNTER & bit) {
            reached |= bit;
            mbedtls_derive(key, 0x8000, reached, key);
        }
    }
    mbedtls_derive(key, 0x1000, WORST_COUNTER, out);
}

template <class F>
double median_seconds(int runs, int per_run, F&& work)
{
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        const auto start = Clock::now();
        for (int i = 0; i < per_run; ++i)
            work();
        times.push_back(std::chrono::duration<double>(Clock::now() - start).count() / per_run);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int per_run = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    DukptKey bdk{};
    std::memcpy(bdk.bytes, BDK, 16);
    bdk.length = 16;
    const DukptKey initial = initial_key(bdk, IKID);

    DukptKey ours{};
    std::uint8_t theirs[16];
    const double ours_s = median_seconds(11, per_run, [&] {
        ours = working_key(initial, IKID, WORST_COUNTER, KeyUsage::PinEncryption, KeyType::Aes128);
    });
    const double theirs_s = median_seconds(11, per_run, [&] { mbedtls_working_key(initial.bytes, theirs); });

    const bool same = std::memcmp(ours.bytes, theirs, 16) == 0;
    std::printf("AES-128 PIN working key at counter %08X (17 AES derivations), median of 11 x %d:\n",
                WORST_COUNTER, per_run);
    std::printf("  aes_dukpt working_key   %8.2f us\n", ours_s * 1e6);
    std::printf("  mbedTLS AES, same steps %8.2f us\n", theirs_s * 1e6);
    std::printf("  ratio %.2f; keys %s\n", ours_s / theirs_s, same ? "equal" : "DIFFER");
    return same ? 0 : 1;
}
