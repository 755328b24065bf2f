// dukpt_keys.h: the PIN keys a terminal's block was enciphered under: the TDES DUKPT PIN variant key
// (ANSI X9.24-1-2009) and the AES DUKPT PIN working key (ANSI X9.24-3-2017), from a BDK or an initial key.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// ksn: 10 bytes; base: the BDK, or the IPEK when use_ipek. key receives 16 bytes.
void tdes_dukpt_pin_key(std::span<const std::uint8_t> ksn, std::span<const std::uint8_t> base, bool use_ipek,
                        std::vector<std::uint8_t>& key);

// ksn: 12 bytes, or 14 with the working key's AES type after it (0002/3/4; empty: the initial key's own);
// base: an AES BDK, or the initial key when use_ik. Refusals (counter, type, key length) are shown on
// ksn_field or base_field; false then.
bool aes_dukpt_pin_key(int ksn_field, std::span<const std::uint8_t> ksn, int base_field,
                       std::span<const std::uint8_t> base, bool use_ik, std::vector<std::uint8_t>& key);
