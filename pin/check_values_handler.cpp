// check_values_handler.cpp: the key check value rows: the legacy value (one zero block encrypted, its
// first 3 bytes) beside the CMAC-based one of ANSI X9.24-1-2017 Annex A (CMAC of one zero block, 5 bytes),
// with the CMAC subkeys K1 and K2 they come from. X9.24-1 defines the CMAC-based value for Triple-DES and AES
// keys only: a single-DES key shows none.
#include <cstdint>

#include "core/field.h"
#include "core/messages.h"
#include "pin/handlers.h"
#include "pin/pin_fields.h"
#include "symmetric/cmac.h"

namespace {

constexpr int KEY_FIELD = 0;
constexpr std::size_t LEGACY_BYTES = 3;
constexpr std::size_t CMAC_BYTES = 5;

// DES for 8 bytes, Triple-DES for 16 or 24; AES takes 16, 24 or 32.
bool set_key(BlockKey& key, bool aes, const FieldBuffer& bytes)
{
    if (aes)
        return block_key_set(key, BlockAlgorithm::Aes, bytes.data, bytes.length);
    const BlockAlgorithm algorithm = bytes.length == 8 ? BlockAlgorithm::Des : BlockAlgorithm::Tdes;
    return block_key_set(key, algorithm, bytes.data, bytes.length);
}

int check_values(bool aes)
{
    if (!field_load(KEY_FIELD, 0, 1))
        return 0;
    BlockKey key;
    if (!set_key(key, aes, g_field[KEY_FIELD])) {
        show_field_error(KEY_FIELD, MSG_INVALID_KEY_LENGTH);
        return 0;
    }
    const auto block = static_cast<std::size_t>(key.block_bytes);
    std::uint8_t k1[16];
    std::uint8_t k2[16];
    std::uint8_t encrypted[16];
    std::uint8_t tag[16];
    cmac_subkeys(key, k1, k2);
    legacy_check_value(key, encrypted);
    cmac_check_value(key, tag);
    show_bytes(1, {k1, block});
    show_bytes(2, {k2, block});
    show_bytes(3, {encrypted, LEGACY_BYTES});
    show_bytes(4, {tag, key.algorithm == BlockAlgorithm::Des ? 0 : CMAC_BYTES});
    return 1;
}

} // namespace

int check_values_des_handler() { return check_values(false); }

int check_values_aes_handler() { return check_values(true); }
