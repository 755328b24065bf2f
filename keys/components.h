// components.h: key components as key custodians hold them: the XOR that joins them, the parity of each,
// and the line of check values (legacy for each, CMAC for a Triple-DES or AES key) the rows show.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "symmetric/block_key.h"

using KeyBytes = std::vector<std::uint8_t>;

// XOR of components of one length.
KeyBytes xor_components(std::span<const KeyBytes> components);

enum class Parity { Odd, Even, Mixed };
// Odd when every byte has an odd number of one-bits, even when every byte an even number.
Parity key_parity(std::span<const std::uint8_t> key);
std::string_view parity_word(Parity parity);
// Sets each byte's lowest bit so that the byte has odd parity (the parity DES keys carry).
void adjust_odd_parity(std::span<std::uint8_t> key);

// The algorithm of a key of this length: AES (16, 24, 32) for an AES row, else DES (8) or Triple-DES
// (16, 24); false for any other length.
bool component_key(BlockKey& key, bool aes, std::span<const std::uint8_t> bytes);

// "C1 E4E5E6 odd, C2 ... , key 08D7B4 odd, CMAC 08D7B43A55": the legacy check value (3 bytes) of each
// component and of the key, the parity of DES and Triple-DES ones, the CMAC check value (5 bytes) of a
// Triple-DES or AES key. key_parity_note follows the key's parity (an adjustment).
std::string check_values_line(std::span<const KeyBytes> components, std::span<const std::uint8_t> key, bool aes,
                              std::string_view key_parity_note = {});
