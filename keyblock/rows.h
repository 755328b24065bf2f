// rows.h: the drop-list rows of the TR-31 / ANSI X9.143 key blocks; ids 50-59.
#pragma once

#include <array>

#include "core/catalogue.h"
#include "keyblock/handlers.h"

enum : std::int32_t {
    OP_KEY_BLOCK_OPEN = 50,
    OP_KEY_BLOCK_BUILD = 51,
};

// Room for the longest published blocks (an RSA private key behind a certificate chain): blocks and
// headers of up to 8192 characters, keys of up to 4096 bytes (an RSA-4096 private key is about 2.4 KB).
inline constexpr std::uint16_t KEY_BLOCK_CHARACTERS = 8192;
inline constexpr std::uint16_t KEY_BLOCK_KEY_BYTES = 4096;

#define KEY_BLOCK_STANDARD "TR-31 / ANSI X9.143 key block, versions A, B, C and D"
#define KEY_BLOCK_KBPK "KBPK - Key Block Protection Key (TDES 16/24, AES 16/24/32 bytes):"

inline constexpr std::array<OperationRow, 3> KEY_BLOCK_ROWS{{
    separator("====================== TR-31 KEY BLOCKS =======================", 132),
    {OP_KEY_BLOCK_OPEN, "Key Block - open and verify",
     {{"Key block (text, as printed):", 118, "key-block", between(16, KEY_BLOCK_CHARACTERS), "key", nullptr,
       KEY_BLOCK_CHARACTERS},
      {KEY_BLOCK_KBPK, 115, "kbpk", one_of(16, 24, 32)},
      {"Header:", 121, "header", {}, nullptr, nullptr, KEY_BLOCK_CHARACTERS},
      {"Key check value:", 139, "kcv"},
      {"Key:", 131, "clear-key", {}, nullptr, nullptr, KEY_BLOCK_KEY_BYTES}},
     KEY_BLOCK_STANDARD "\r(MAC verified, key deciphered, header read)", key_block_open_handler,
     OPF_TEXT(0) | OPF_TEXT(2) | TAIL_FIELD2},
    {OP_KEY_BLOCK_BUILD, "Key Block - build",
     {{"Header (text, ex. 'B0000P0TE00E0000'; length filled in):", 117, "header",
       between(16, KEY_BLOCK_CHARACTERS), nullptr, nullptr, KEY_BLOCK_CHARACTERS},
      {KEY_BLOCK_KBPK, 115, "kbpk", one_of(16, 24, 32)},
      {"Key to protect:", 131, "key", between(1, KEY_BLOCK_KEY_BYTES), nullptr, nullptr, KEY_BLOCK_KEY_BYTES},
      {"Padding (optional, random if empty):", 116, "pad", or_empty(any_size()), "padding", "random"},
      {"Key block:", 118, "key-block", {}, nullptr, nullptr, KEY_BLOCK_CHARACTERS}},
     KEY_BLOCK_STANDARD "\r(header and key bound under the KBPK)", key_block_build_handler,
     OPF_TEXT(0) | OPF_TEXT(4)},
}};

#undef KEY_BLOCK_STANDARD
#undef KEY_BLOCK_KBPK
