// cmac.h: CMAC (NIST SP 800-38B, the OMAC1 of RFC 4493) over AES, DES or Triple-DES, and key check values.
#pragma once

#include <cstddef>
#include <cstdint>

#include "symmetric/block_key.h"

// The subkeys K1 and K2, one block each: L = E(0), K1 = L doubled, K2 = K1 doubled in GF(2^b).
void cmac_subkeys(const BlockKey& key, std::uint8_t k1[16], std::uint8_t k2[16]);

// The whole tag (one block) of length bytes of message; callers keep its leftmost bytes.
void cmac(const BlockKey& key, const std::uint8_t* message, std::size_t length, std::uint8_t* tag);

// Key check values, one block each; callers keep the leftmost bytes they show. The legacy value enciphers
// one zero block; the CMAC-based one (ANSI X9.24-1-2017 Annex A) is the CMAC of one zero block.
void legacy_check_value(const BlockKey& key, std::uint8_t value[16]);
void cmac_check_value(const BlockKey& key, std::uint8_t value[16]);
