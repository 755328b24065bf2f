// check_value.cpp: legacy and CMAC-based check values of the keys that key blocks carry.
#include "keyblock/check_value.h"

#include "symmetric/block_key.h"
#include "symmetric/cmac.h"

std::vector<std::uint8_t> key_check_value(char algorithm, std::span<const std::uint8_t> key)
{
    const int length = static_cast<int>(key.size());
    std::uint8_t value[16];
    BlockKey k;
    if (algorithm == 'A') {
        if (!block_key_set(k, BlockAlgorithm::Aes, key.data(), length))
            return {};
        cmac_check_value(k, value);
    } else if (algorithm == 'T' || algorithm == 'D') {
        if (!block_key_set(k, length == 8 ? BlockAlgorithm::Des : BlockAlgorithm::Tdes, key.data(), length))
            return {};
        legacy_check_value(k, value);
    } else {
        return {};
    }
    return {value, value + KEY_BLOCK_CHECK_VALUE_BYTES};
}
