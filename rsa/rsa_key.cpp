// rsa_key.cpp: generation of an RSA key pair and its private-key operation.
#include "rsa/rsa_key.h"

#include <cstring>

#include "rsa/mpi.h"
#include "rsa/prime.h"

void rsa_key_reset(RsaKeyPair* key, RandomSource random) {
    std::memset(key, 0, sizeof *key);
    for (mbedtls_mpi* x : {&key->N, &key->E, &key->D, &key->P, &key->Q, &key->DP, &key->DQ, &key->QP,
                           &key->RN, &key->RP, &key->RQ})
        mbedtls_mpi_init(x);
    key->random = random;
}

void rsa_key_free(RsaKeyPair* key) {
    for (mbedtls_mpi* x : {&key->N, &key->E, &key->D, &key->P, &key->Q, &key->DP, &key->DQ, &key->QP,
                           &key->RN, &key->RP, &key->RQ})
        mbedtls_mpi_free(x);
}

void (*rsa_key_progress)(int pair) = nullptr;

namespace {

// Draws prime pairs until P > Q, N = P * Q has exactly nbits bits and E is prime to (P - 1)(Q - 1),
// then derives D and the CRT values.
int generate(RsaKeyPair* key, int nbits, mbedtls_mpi* P1, mbedtls_mpi* Q1, mbedtls_mpi* H, mbedtls_mpi* G) {
    const int pbits = (nbits + 1) / 2; // rounded down: 4k for a key of k bytes
    int ret;
    for (int pair = 1;; ++pair) {
        if (rsa_key_progress)
            rsa_key_progress(pair);
        if ((ret = prime_generate(&key->P, pbits, key->random)) != 0 ||
            (ret = prime_generate(&key->Q, pbits, key->random)) != 0)
            return ret;
        const int order = mbedtls_mpi_cmp_mpi(&key->P, &key->Q);
        if (order == 0)
            continue;
        if (order < 0)
            mbedtls_mpi_swap(&key->P, &key->Q);
        if ((ret = mbedtls_mpi_mul_mpi(&key->N, &key->P, &key->Q)) != 0)
            return ret;
        if (mbedtls_mpi_bitlen(&key->N) != static_cast<std::size_t>(nbits))
            continue;
        if ((ret = mbedtls_mpi_sub_int(P1, &key->P, 1)) != 0 || (ret = mbedtls_mpi_sub_int(Q1, &key->Q, 1)) != 0 ||
            (ret = mbedtls_mpi_mul_mpi(H, P1, Q1)) != 0 || (ret = mbedtls_mpi_gcd(G, &key->E, H)) != 0)
            return ret;
        if (mbedtls_mpi_cmp_int(G, 1) == 0)
            break;
    }
    // D is the inverse modulo Euler's phi(N), not the least common multiple of P - 1 and Q - 1.
    if ((ret = mbedtls_mpi_inv_mod(&key->D, &key->E, H)) != 0 ||
        (ret = mbedtls_mpi_mod_mpi(&key->DP, &key->D, P1)) != 0 ||
        (ret = mbedtls_mpi_mod_mpi(&key->DQ, &key->D, Q1)) != 0 ||
        (ret = mbedtls_mpi_inv_mod(&key->QP, &key->Q, &key->P)) != 0)
        return ret;
    key->len = static_cast<std::int32_t>((mbedtls_mpi_bitlen(&key->N) + 7) / 8);
    return 0;
}

} // namespace

int rsa_generate_key(RsaKeyPair* key, int nbits, std::uint32_t e) {
    // An even exponent is never prime to (P - 1)(Q - 1): refused here, before the search would loop.
    if (key->random.draw == nullptr || nbits < RSA_MIN_KEY_BITS || e < 3 || e % 2 == 0)
        return RSA_BAD_INPUT;

    Mpi P1, Q1, H, G;
    int ret = mbedtls_mpi_lset(&key->E, static_cast<mbedtls_mpi_sint>(e));
    if (ret == 0)
        ret = generate(key, nbits, &P1, &Q1, &H, &G);
    if (ret != 0) {
        rsa_key_free(key);
        return ret | RSA_KEY_GEN_FAILED;
    }
    return 0;
}

int rsa_private_crt(RsaKeyPair* key, const std::uint8_t* input, std::uint8_t* output) {
    const auto length = static_cast<std::size_t>(key->len);
    Mpi T, T1, T2, product;
    int ret = mbedtls_mpi_read_binary(&T, input, length);
    if (ret != 0)
        return ret | RSA_PRIVATE_FAILED;
    if (mbedtls_mpi_cmp_mpi(&T, &key->N) >= 0)
        return RSA_BAD_INPUT;

    // T1 = T^DP mod P, T2 = T^DQ mod Q; T = ((T1 - T2) * QP mod P) * Q + T2
    if ((ret = mbedtls_mpi_exp_mod(&T1, &T, &key->DP, &key->P, &key->RP)) != 0 ||
        (ret = mbedtls_mpi_exp_mod(&T2, &T, &key->DQ, &key->Q, &key->RQ)) != 0 ||
        (ret = mbedtls_mpi_sub_mpi(&T, &T1, &T2)) != 0 ||
        (ret = mbedtls_mpi_mul_mpi(&product, &T, &key->QP)) != 0 ||
        (ret = mbedtls_mpi_mod_mpi(&T, &product, &key->P)) != 0 ||
        (ret = mbedtls_mpi_mul_mpi(&product, &T, &key->Q)) != 0 ||
        (ret = mbedtls_mpi_add_mpi(&T, &T2, &product)) != 0 ||
        (ret = mbedtls_mpi_write_binary(&T, output, length)) != 0)
        return ret | RSA_PRIVATE_FAILED;
    return 0;
}
