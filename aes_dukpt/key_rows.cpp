// key_rows.cpp: the AES DUKPT rows that show keys and KSNs: initial key, working key, intermediate
// derivation key and the device's next KSN.
#include <cstring>
#include <span>

#include "aes_dukpt/handlers.h"
#include "aes_dukpt/inputs.h"
#include "core/field.h"
#include "core/messages.h"
#include "symmetric/block_key.h"
#include "symmetric/cmac.h"

namespace {

constexpr int CHECK_VALUE_BYTES = 5;

std::span<const std::uint8_t, 8> initial_key_id(const std::uint8_t* ksn)
{
    return std::span<const std::uint8_t, 8>(ksn, 8);
}

bool mac_usage(KeyUsage usage)
{
    return usage == KeyUsage::MacGeneration || usage == KeyUsage::MacVerification ||
           usage == KeyUsage::MacBothWays;
}

// ANSI X9.24-1-2017: the leftmost bytes of the CMAC of one zero block; none for an HMAC key.
int check_value(KeyType type, const DukptKey& key, std::uint8_t* out)
{
    if (type == KeyType::Hmac)
        return 0;
    const bool tdea = type == KeyType::Tdea2 || type == KeyType::Tdea3;
    BlockKey block_key;
    block_key_set(block_key, tdea ? BlockAlgorithm::Tdes : BlockAlgorithm::Aes, key.bytes, key.length);
    std::uint8_t tag[16];
    cmac_check_value(block_key, tag);
    std::memcpy(out, tag, CHECK_VALUE_BYTES);
    return CHECK_VALUE_BYTES;
}

} // namespace

int aes_dukpt_initial_key_handler()
{
    if (!field_load(0, -AES_DUKPT_IKID_BYTES, 1))
        return 0;
    KsnInput ksn{};
    std::memcpy(ksn.ksn, g_field[0].data, AES_DUKPT_IKID_BYTES);
    DukptKey initial;
    if (!load_initial_key(ksn, initial))
        return 0;
    show_bytes(4, {initial.bytes, static_cast<std::size_t>(initial.length)});
    return 1;
}

int aes_dukpt_working_key_handler()
{
    KsnInput ksn;
    if (!load_ksn(0, true, ZeroCounter::Refused, ksn, CounterBits::DeviceOrUpdateKey))
        return 0;
    if (!field_load(1, -2, 1))
        return 0;
    const auto usage_code = static_cast<std::uint16_t>(g_field[1].data[0] << 8 | g_field[1].data[1]);
    if (!key_usage_known(usage_code) || usage_code == static_cast<std::uint16_t>(KeyUsage::KeyDerivationInitialKey)) {
        show_field_error(1, MSG_KEY_USAGE);
        return 0;
    }
    const auto usage = static_cast<KeyUsage>(usage_code);
    if (ksn.counter == AES_DUKPT_UPDATE_COUNTER && usage != KeyUsage::KeyEncryption) {
        show_field_error(0, MSG_COUNTER_BITS);
        return 0;
    }
    if (ksn.type_given && ksn.type == KeyType::Hmac && !mac_usage(usage)) {
        show_field_error(0, MSG_KEY_TYPE);
        return 0;
    }
    DukptKey initial;
    if (!load_initial_key(ksn, initial) || !settle_key_type(0, ksn, initial))
        return 0;

    const DukptKey key = working_key(initial, initial_key_id(ksn.ksn), ksn.counter, usage, ksn.type);
    std::uint8_t value[CHECK_VALUE_BYTES];
    show_bytes(3, {value, static_cast<std::size_t>(check_value(ksn.type, key, value))});
    show_bytes(4, {key.bytes, static_cast<std::size_t>(key.length)});
    return 1;
}

int aes_dukpt_intermediate_key_handler()
{
    KsnInput ksn;
    DukptKey initial;
    if (!load_ksn(0, false, ZeroCounter::Allowed, ksn, CounterBits::Any) || !load_initial_key(ksn, initial))
        return 0;
    const DukptKey key = intermediate_key(initial, initial_key_id(ksn.ksn), ksn.counter);
    show_bytes(4, {key.bytes, static_cast<std::size_t>(key.length)});
    return 1;
}

int aes_dukpt_next_ksn_handler()
{
    KsnInput ksn;
    if (!load_ksn(0, false, ZeroCounter::Allowed, ksn))
        return 0;
    std::uint32_t next = 0;
    if (!next_counter(ksn.counter, next)) {
        show_field_error(0, MSG_COUNTER_EXHAUSTED);
        return 0;
    }
    std::uint8_t out[AES_DUKPT_KSN_BYTES];
    std::memcpy(out, ksn.ksn, 8);
    for (int i = 0; i < 4; ++i)
        out[8 + i] = static_cast<std::uint8_t>(next >> (24 - 8 * i));
    show_bytes(4, {out, static_cast<std::size_t>(AES_DUKPT_KSN_BYTES)});
    return 1;
}
