// keys.h: the EMV card keys (EMV 4.3 Book 2 Annex A1.3 and A1.4): ICC master keys from the issuer
// master key, session keys from the ICC master key, and the key check value the rows show beside them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

using Key16 = std::span<const std::uint8_t, 16>;
using KeyOut16 = std::span<std::uint8_t, 16>;

enum class IccOption { A, B };

// pan: 1 to 19 decimal digits; psn: two decimal digits. The key comes out odd-parity adjusted.
void icc_master_key(IccOption option, std::string_view pan, std::string_view psn, Key16 imk, KeyOut16 mk);

// The 8-byte Y of Annex A1.4: option A packs the 16 rightmost digits of PAN || PSN (zero filled on
// the left); option B, for PANs of more than 16 digits, decimalises SHA-1 of them.
void icc_master_key_input(IccOption option, std::string_view pan, std::string_view psn,
                          std::span<std::uint8_t, 8> y);

// A1.3.1 common session key under diversification value R (ATC || 00..00 for cryptograms).
void common_session_key(Key16 mk, std::span<const std::uint8_t, 8> r, KeyOut16 sk);
// Mastercard M/Chip: ATC || F0 00 || UN and ATC || 0F 00 || UN enciphered.
void mastercard_session_key(Key16 mk, std::span<const std::uint8_t, 2> atc, std::span<const std::uint8_t, 4> un,
                            KeyOut16 sk);
// PBOC/UICS: 000000000000 || ATC and 000000000000 || NOT ATC enciphered.
void pboc_session_key(Key16 mk, std::span<const std::uint8_t, 2> atc, KeyOut16 sk);

// The leftmost three bytes of the key's encipherment of a zero block.
void key_check_value(Key16 key, std::span<std::uint8_t, 3> kcv);
