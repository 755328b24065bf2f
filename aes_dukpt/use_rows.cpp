// use_rows.cpp: the AES DUKPT rows that use a working key: CMAC or HMAC-SHA-256 under the MAC key,
// and ECB or CBC under the data key, each key derived from the KSN of field 1 and the key of field 2.
#include <cstring>
#include <span>

#include "aes_dukpt/handlers.h"
#include "aes_dukpt/hmac_sha256.h"
#include "aes_dukpt/inputs.h"
#include "core/controller.h"
#include "core/field.h"
#include "core/messages.h"
#include "symmetric/block_key.h"
#include "symmetric/cmac.h"

namespace {

bool tdea(KeyType type) { return type == KeyType::Tdea2 || type == KeyType::Tdea3; }

// The working key of the row's usage from fields 1 (KSN, key type) and 2; field 0 is read before.
bool load_working_key(KeyUsage usage, bool hmac_allowed, KsnInput& ksn, DukptKey& key)
{
    if (!load_ksn(1, true, ZeroCounter::Refused, ksn))
        return false;
    if (ksn.type_given && ksn.type == KeyType::Hmac && !hmac_allowed) {
        show_field_error(1, MSG_KEY_TYPE);
        return false;
    }
    DukptKey initial;
    if (!load_initial_key(ksn, initial) || !settle_key_type(1, ksn, initial))
        return false;
    key = working_key(initial, std::span<const std::uint8_t, 8>(ksn.ksn, 8), ksn.counter, usage, ksn.type);
    return true;
}

int mac_row(KeyUsage usage)
{
    if (!field_load(0, 0, 1))
        return 0;
    KsnInput ksn;
    DukptKey key;
    if (!load_working_key(usage, true, ksn, key))
        return 0;
    const FieldBuffer& data = g_field[0];
    std::uint8_t mac[SHA256_DIGEST_BYTES];
    int length = SHA256_DIGEST_BYTES;
    if (ksn.type == KeyType::Hmac) {
        hmac_sha256(std::span(key.bytes, static_cast<std::size_t>(key.length)),
                    std::span(data.data, static_cast<std::size_t>(data.length)), mac);
    } else {
        BlockKey block_key;
        block_key_set(block_key, tdea(ksn.type) ? BlockAlgorithm::Tdes : BlockAlgorithm::Aes, key.bytes, key.length);
        cmac(block_key, data.data, static_cast<std::size_t>(data.length), mac);
        length = block_key.block_bytes;
    }
    show_bytes(4, {mac, static_cast<std::size_t>(length)});
    return 1;
}

int data_row(KeyUsage usage)
{
    const bool reverse = (selected_row().flags & OPF_REVERSE) != 0;
    const bool cbc = g_window->checked(IDC_RADIO_CBC);
    if (!field_load(0, 0, 1))
        return 0;
    KsnInput ksn;
    DukptKey key;
    if (!load_working_key(usage, false, ksn, key))
        return 0;

    BlockKey block_key;
    block_key_set(block_key, tdea(ksn.type) ? BlockAlgorithm::Tdes : BlockAlgorithm::Aes, key.bytes, key.length);
    const int block = block_key.block_bytes;
    const FieldBuffer& data = g_field[0];
    if (data.length % block != 0) {
        show_field_error(0, MSG_INVALID_FIELD_SIZE);
        return 0;
    }
    std::uint8_t iv[16] = {};
    if (cbc) {
        if (!field_load(3, 0, 1))
            return 0;
        if (g_field[3].length != 0 && g_field[3].length != block) {
            show_field_error(3, MSG_INVALID_FIELD_SIZE);
            return 0;
        }
        std::memcpy(iv, g_field[3].data, static_cast<std::size_t>(g_field[3].length));
    }

    FieldBuffer& out = g_field[4];
    const auto length = static_cast<std::size_t>(data.length);
    if (cbc && reverse) {
        block_cbc_decrypt(block_key, iv, data.data, length, out.data);
    } else if (cbc) {
        block_cbc_encrypt(block_key, iv, data.data, length, out.data);
    } else {
        for (std::size_t at = 0; at < length; at += static_cast<std::size_t>(block)) {
            if (reverse)
                block_decrypt(block_key, data.data + at, out.data + at);
            else
                block_encrypt(block_key, data.data + at, out.data + at);
        }
    }
    out.length = data.length;
    field_show(4);
    return 1;
}

} // namespace

int aes_dukpt_mac_request_handler() { return mac_row(KeyUsage::MacGeneration); }
int aes_dukpt_mac_response_handler() { return mac_row(KeyUsage::MacVerification); }
int aes_dukpt_mac_both_handler() { return mac_row(KeyUsage::MacBothWays); }

int aes_dukpt_data_request_handler() { return data_row(KeyUsage::DataEncrypt); }
int aes_dukpt_data_response_handler() { return data_row(KeyUsage::DataDecrypt); }
int aes_dukpt_data_both_handler() { return data_row(KeyUsage::DataBothWays); }
