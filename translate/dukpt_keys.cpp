// dukpt_keys.cpp: the PIN key of a DUKPT transaction, with the device's counter rules for AES DUKPT.
#include "translate/dukpt_keys.h"

#include <cstring>

#include "aes_dukpt/derivation.h"
#include "aes_dukpt/inputs.h"
#include "core/messages.h"
#include "symmetric/dukpt.h"

void tdes_dukpt_pin_key(std::span<const std::uint8_t> ksn, std::span<const std::uint8_t> base, bool use_ipek,
                        std::vector<std::uint8_t>& key)
{
    std::uint8_t derived[16];
    int length = 0;
    dukpt_derive_key(base.data(), ksn.data(), DUKPT_TDES_PIN | (use_ipek ? DUKPT_KEY_IS_IPEK : 0), derived, &length);
    key.assign(derived, derived + length);
}

bool aes_dukpt_pin_key(int ksn_field, std::span<const std::uint8_t> ksn, int base_field,
                       std::span<const std::uint8_t> base, bool use_ik, std::vector<std::uint8_t>& key)
{
    KeyType base_type;
    if (!aes_key_type(static_cast<int>(base.size()), base_type)) {
        show_field_error(base_field, MSG_INVALID_KEY_LENGTH);
        return false;
    }
    KeyType type = base_type;
    if (ksn.size() == AES_DUKPT_KSN_BYTES + 2) {
        const auto code = static_cast<std::uint16_t>(ksn[12] << 8 | ksn[13]);
        type = static_cast<KeyType>(code);
        if (!key_type_known(code) || type == KeyType::Tdea2 || type == KeyType::Tdea3 || type == KeyType::Hmac) {
            show_field_error(ksn_field, MSG_KEY_TYPE);
            return false;
        }
        if (key_stronger_than(type, base_type)) {
            show_field_error(ksn_field, MSG_KEY_STRONGER);
            return false;
        }
    }
    const std::span<const std::uint8_t, AES_DUKPT_KSN_BYTES> serial(ksn.data(), AES_DUKPT_KSN_BYTES);
    const std::uint32_t counter = ksn_counter(serial);
    if (counter_one_bits(counter) > AES_DUKPT_MAX_COUNTER_BITS || counter == 0) {
        show_field_error(ksn_field, counter == 0 ? MSG_COUNTER_ZERO : MSG_COUNTER_BITS);
        return false;
    }
    DukptKey given{};
    std::memcpy(given.bytes, base.data(), base.size());
    given.length = static_cast<int>(base.size());
    const std::span<const std::uint8_t, 8> initial_key_id(ksn.data(), 8);
    const DukptKey initial = use_ik ? given : initial_key(given, initial_key_id);
    const DukptKey pin_key = working_key(initial, initial_key_id, counter, KeyUsage::PinEncryption, type);
    key.assign(pin_key.bytes, pin_key.bytes + pin_key.length);
    return true;
}
