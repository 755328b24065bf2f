// dukpt.h: ANSI X9.24 DUKPT key derivation, from a BDK (or an IPEK) and a KSN to a transaction key.
#pragma once

#include <cstdint>

// Variant codes (low 4 bits) and the flag that says the key field already holds the IPEK.
enum : int {
    DUKPT_TDES_PIN = 0,
    DUKPT_TDES_MAC_REQUEST = 1,
    DUKPT_DES_PIN = 2,
    DUKPT_DES_MAC = 3,
    DUKPT_TDES_DATA_REQUEST = 4,
    DUKPT_TDES_MAC_RESPONSE = 5,
    DUKPT_TDES_DATA_RESPONSE = 6,
    DUKPT_KEY_IS_IPEK = 0x100,
};

inline constexpr int DUKPT_KSN_BYTES = 10;

// C0C0C0C000000000 C0C0C0C000000000: the mask of the right IPEK half and of the key step.
extern const std::uint8_t KEY_REGISTER_MASK[16];

// Fills key_out with the transaction key (16 bytes, or 8 for DUKPT_DES_PIN and DUKPT_DES_MAC) and
// key_length_out with its length; returns 0, or -1 for an unknown variant (nothing written).
int dukpt_derive_key(const std::uint8_t key_field[16], const std::uint8_t ksn[10], int variant,
                     std::uint8_t key_out[16], int* key_length_out);

// The IPEK of a BDK and a KSN: Triple-DES of the initial KSN under the BDK, and under BDK ^ mask.
void dukpt_ipek(const std::uint8_t bdk[16], const std::uint8_t ksn[10], std::uint8_t ipek[16]);

// One non-reversible key step with the 8 KSN register bytes r; key_in may be key_out.
void dukpt_key_step(int variant, const std::uint8_t r[8], const std::uint8_t key_in[16],
                    std::uint8_t key_out[16]);

// The data-key step: each half of key ^ mask Triple-DES encrypted under key ^ mask.
void dukpt_data_key(const std::uint8_t key[16], const std::uint8_t mask[16], std::uint8_t out[16]);

// DES under key of (input ^ key), then ^ key; direction 0 forward, other values reverse.
void des_whitened_block(unsigned direction, const std::uint8_t input[8], const std::uint8_t key[8],
                        std::uint8_t output[8]);
