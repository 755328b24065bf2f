// inputs.cpp: reading and checking the KSN and the BDK or initial key of the AES DUKPT rows.
#include "aes_dukpt/inputs.h"

#include <cstring>
#include <span>

#include "core/controller.h"
#include "core/field.h"
#include "core/messages.h"

bool load_ksn(int index, bool type_may_follow, ZeroCounter zero, KsnInput& ksn, CounterBits bits)
{
    if (!field_load(index, 0, 1))
        return false;
    const FieldBuffer& field = g_field[index];
    const bool with_type = type_may_follow && field.length == AES_DUKPT_KSN_BYTES + 2;
    if (field.length != AES_DUKPT_KSN_BYTES && !with_type) {
        show_field_error(index, MSG_INVALID_FIELD_SIZE);
        return false;
    }
    std::memcpy(ksn.ksn, field.data, AES_DUKPT_KSN_BYTES);
    ksn.counter = ksn_counter(std::span<const std::uint8_t, AES_DUKPT_KSN_BYTES>(ksn.ksn));
    ksn.type_given = with_type;
    if (with_type) {
        const auto code = static_cast<std::uint16_t>(field.data[12] << 8 | field.data[13]);
        if (!key_type_known(code)) {
            show_field_error(index, MSG_KEY_TYPE);
            return false;
        }
        ksn.type = static_cast<KeyType>(code);
    }
    const bool update_counter = bits == CounterBits::DeviceOrUpdateKey && ksn.counter == AES_DUKPT_UPDATE_COUNTER;
    if (counter_one_bits(ksn.counter) > AES_DUKPT_MAX_COUNTER_BITS && !update_counter && bits != CounterBits::Any) {
        show_field_error(index, MSG_COUNTER_BITS);
        return false;
    }
    if (zero == ZeroCounter::Refused && ksn.counter == 0) {
        show_field_error(index, MSG_COUNTER_ZERO);
        return false;
    }
    return true;
}

bool load_initial_key(const KsnInput& ksn, DukptKey& initial)
{
    if (!field_load(2, 0, 1))
        return false;
    const FieldBuffer& field = g_field[2];
    KeyType type;
    if (!aes_key_type(field.length, type)) {
        show_field_error(2, MSG_INVALID_KEY_LENGTH);
        return false;
    }
    DukptKey key{};
    std::memcpy(key.bytes, field.data, static_cast<std::size_t>(field.length));
    key.length = field.length;
    const bool use_ik = (selected_row().flags & OPF_IPEK_OPTION) && g_window->checked(IDC_USE_IPEK);
    initial = use_ik ? key : initial_key(key, std::span<const std::uint8_t, 8>(ksn.ksn, 8));
    return true;
}

bool settle_key_type(int ksn_index, KsnInput& ksn, const DukptKey& initial)
{
    KeyType own = KeyType::Aes128;
    aes_key_type(initial.length, own);
    if (!ksn.type_given) {
        ksn.type = own;
        return true;
    }
    if (key_stronger_than(ksn.type, own)) {
        show_field_error(ksn_index, MSG_KEY_STRONGER);
        return false;
    }
    return true;
}

