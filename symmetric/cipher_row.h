// cipher_row.h: what a block-cipher row of the original drop-list names as its context: the block size,
// the key's size rule, where the key comes from and the transformation of each block.
#pragma once

#include "symmetric/dukpt.h"

enum class Transform {
    Aes,
    Des,
    TripleDes2,    // E(K1) D(K2) E(K1)
    TripleDes3,    // E(K1) D(K2) E(K3)
    MacAlgorithm3, // ISO/IEC 9797-1 MAC algorithm 3: E(K1), the last block also D(K2) E(K1)
    Whitened,      // DES under K of (x ^ K), then ^ K
};

enum class KeySource { Field, MasterKeyWorkingKey, Dukpt };

struct CipherRow {
    int block;
    int key_rule; // size rule of the key field, and of the working key for MK/WK
    KeySource source;
    Transform transform;
    int dukpt_variant;
};

inline constexpr CipherRow CIPHER_AES = {16, 8, KeySource::Field, Transform::Aes, 0};
inline constexpr CipherRow CIPHER_DES = {8, -8, KeySource::Field, Transform::Des, 0};
inline constexpr CipherRow CIPHER_MKWK_DES = {8, -8, KeySource::MasterKeyWorkingKey, Transform::Des, 0};
inline constexpr CipherRow CIPHER_TDES = {8, -16, KeySource::Field, Transform::TripleDes2, 0};
inline constexpr CipherRow CIPHER_TDES_K24 = {8, -24, KeySource::Field, Transform::TripleDes3, 0};
inline constexpr CipherRow CIPHER_TDES_MAC = {8, -16, KeySource::Field, Transform::MacAlgorithm3, 0};
inline constexpr CipherRow CIPHER_MKWK_TDES = {8, -16, KeySource::MasterKeyWorkingKey, Transform::TripleDes2, 0};
inline constexpr CipherRow CIPHER_DUKPT_DES_PIN = {8, -16, KeySource::Dukpt, Transform::Whitened, DUKPT_DES_PIN};
inline constexpr CipherRow CIPHER_DUKPT_DES_MAC = {8, -16, KeySource::Dukpt, Transform::Whitened, DUKPT_DES_MAC};
inline constexpr CipherRow CIPHER_DUKPT_TDES_PIN = {8, -16, KeySource::Dukpt, Transform::TripleDes2, DUKPT_TDES_PIN};
inline constexpr CipherRow CIPHER_DUKPT_TDES_DATA_REQ = {8, -16, KeySource::Dukpt, Transform::TripleDes2,
                                                         DUKPT_TDES_DATA_REQUEST};
inline constexpr CipherRow CIPHER_DUKPT_TDES_DATA_RESP = {8, -16, KeySource::Dukpt, Transform::TripleDes2,
                                                          DUKPT_TDES_DATA_RESPONSE};
inline constexpr CipherRow CIPHER_DUKPT_TDES_MAC_REQ = {8, -16, KeySource::Dukpt, Transform::MacAlgorithm3,
                                                        DUKPT_TDES_MAC_REQUEST};
inline constexpr CipherRow CIPHER_DUKPT_TDES_MAC_RESP = {8, -16, KeySource::Dukpt, Transform::MacAlgorithm3,
                                                         DUKPT_TDES_MAC_RESPONSE};
