// dukpt.cpp: the IPEK, the counter walk of the key register and the final PIN, MAC or data variant.
#include "symmetric/dukpt.h"

#include <cstring>

#include "symmetric/des.h"
#include "symmetric/triple_des.h"

const std::uint8_t KEY_REGISTER_MASK[16] = {0xC0, 0xC0, 0xC0, 0xC0, 0, 0, 0, 0,
                                            0xC0, 0xC0, 0xC0, 0xC0, 0, 0, 0, 0};

namespace {

// ANSI X9.24-2009 variant constants, XORed into both halves of the key register.
constexpr std::uint8_t PIN_MASK[16] = {0, 0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0xFF};
constexpr std::uint8_t MAC_REQUEST_MASK[16] = {0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0};
constexpr std::uint8_t MAC_RESPONSE_MASK[16] = {0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0};
constexpr std::uint8_t DATA_REQUEST_MASK[16] = {0, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0, 0};
constexpr std::uint8_t DATA_RESPONSE_MASK[16] = {0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0};

constexpr std::uint32_t COUNTER_BITS = 0x1FFFFF; // the rightmost 21 bits of the KSN

bool single_length(int v) { return v == DUKPT_DES_PIN || v == DUKPT_DES_MAC; }

void xor_into(std::uint8_t* target, const std::uint8_t* mask, int bytes) {
    for (int i = 0; i < bytes; ++i)
        target[i] ^= mask[i];
}

// The KSN with its counter replaced by counter.
void ksn_with_counter(const std::uint8_t ksn[10], std::uint32_t counter, std::uint8_t out[10]) {
    std::memcpy(out, ksn, 10);
    out[7] = static_cast<std::uint8_t>((ksn[7] & 0xE0) | ((counter >> 16) & 0x1F));
    out[8] = static_cast<std::uint8_t>(counter >> 8);
    out[9] = static_cast<std::uint8_t>(counter);
}

// DES in the given direction under des_key of (input ^ whitening), then ^ whitening. With des_key as the
// whitening it is the single-length transform; with the other half of the register, one half of the
// double-length key step.
void whitened_des(unsigned direction, const std::uint8_t input[8], const std::uint8_t des_key[8],
                  const std::uint8_t whitening[8], std::uint8_t out[8]) {
    std::uint8_t block[8];
    for (int i = 0; i < 8; ++i)
        block[i] = input[i] ^ whitening[i];
    des_block(direction, block, des_key, block);
    for (int i = 0; i < 8; ++i)
        out[i] = block[i] ^ whitening[i];
}

} // namespace

void des_whitened_block(unsigned direction, const std::uint8_t input[8], const std::uint8_t key[8],
                        std::uint8_t output[8]) {
    whitened_des(direction, input, key, key, output);
}

void dukpt_key_step(int variant, const std::uint8_t r[8], const std::uint8_t key_in[16],
                    std::uint8_t key_out[16]) {
    if (single_length(variant & 0xF)) {
        des_whitened_block(DES_ENCRYPT, r, key_in, key_out);
        return;
    }
    std::uint8_t left[8], right[8], masked[16];
    whitened_des(DES_ENCRYPT, r, key_in, key_in + 8, right);
    std::memcpy(masked, key_in, 16);
    xor_into(masked, KEY_REGISTER_MASK, 16);
    whitened_des(DES_ENCRYPT, r, masked, masked + 8, left);
    std::memcpy(key_out, left, 8);
    std::memcpy(key_out + 8, right, 8);
}

void dukpt_data_key(const std::uint8_t key[16], const std::uint8_t mask[16], std::uint8_t out[16]) {
    std::uint8_t variant_key[16];
    std::memcpy(variant_key, key, 16);
    xor_into(variant_key, mask, 16);
    tdes2_block(DES_ENCRYPT, variant_key, variant_key, out);
    tdes2_block(DES_ENCRYPT, variant_key + 8, variant_key, out + 8);
}

void dukpt_ipek(const std::uint8_t bdk[16], const std::uint8_t ksn[10], std::uint8_t ipek[16]) {
    std::uint8_t initial_ksn[10], masked_bdk[16];
    ksn_with_counter(ksn, 0, initial_ksn);
    tdes2_block(DES_ENCRYPT, initial_ksn, bdk, ipek);
    std::memcpy(masked_bdk, bdk, 16);
    xor_into(masked_bdk, KEY_REGISTER_MASK, 16);
    tdes2_block(DES_ENCRYPT, initial_ksn, masked_bdk, ipek + 8);
}

int dukpt_derive_key(const std::uint8_t key_field[16], const std::uint8_t ksn[10], int variant,
                     std::uint8_t key_out[16], int* key_length_out) {
    const int v = variant & 0xF;
    if (v > DUKPT_TDES_DATA_RESPONSE)
        return -1;

    // The single-length variants derive and use the left half alone.
    std::uint8_t key_register[16];
    if (variant & DUKPT_KEY_IS_IPEK)
        std::memcpy(key_register, key_field, 16);
    else
        dukpt_ipek(key_field, ksn, key_register);

    // Walk the counter from its most significant set bit down, one key step per set bit.
    const std::uint32_t counter =
        ((std::uint32_t{ksn[7]} << 16) | (std::uint32_t{ksn[8]} << 8) | ksn[9]) & COUNTER_BITS;
    std::uint32_t reached = 0;
    for (std::uint32_t bit = 0x100000; bit != 0; bit >>= 1) {
        if (!(counter & bit))
            continue;
        reached |= bit;
        std::uint8_t ksn_register[10];
        ksn_with_counter(ksn, reached, ksn_register);
        dukpt_key_step(v, ksn_register + 2, key_register, key_register);
    }

    int length = 16;
    switch (v) {
    case DUKPT_TDES_PIN: xor_into(key_register, PIN_MASK, 16); break;
    case DUKPT_TDES_MAC_REQUEST: xor_into(key_register, MAC_REQUEST_MASK, 16); break;
    case DUKPT_TDES_MAC_RESPONSE: xor_into(key_register, MAC_RESPONSE_MASK, 16); break;
    case DUKPT_DES_PIN: xor_into(key_register, PIN_MASK, 8); length = 8; break;
    case DUKPT_DES_MAC: xor_into(key_register, MAC_REQUEST_MASK, 8); length = 8; break;
    case DUKPT_TDES_DATA_REQUEST: dukpt_data_key(key_register, DATA_REQUEST_MASK, key_register); break;
    case DUKPT_TDES_DATA_RESPONSE: dukpt_data_key(key_register, DATA_RESPONSE_MASK, key_register); break;
    }
    std::memcpy(key_out, key_register, static_cast<std::size_t>(length));
    *key_length_out = length;
    return 0;
}
