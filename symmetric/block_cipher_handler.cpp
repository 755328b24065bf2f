// block_cipher_handler.cpp: every row of the symmetric and PIN groups but the IPEK derivation:
// data, key and Initial Value in; ECB, CBC or MAC over DES, Triple-DES, AES or a DUKPT key; the result out.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/controller.h"
#include "core/field.h"
#include "core/handlers.h"
#include "core/messages.h"
#include "symmetric/aes.h"
#include "symmetric/cipher_row.h"
#include "symmetric/des.h"
#include "symmetric/dukpt.h"
#include "symmetric/mac_algorithm3.h"
#include "symmetric/triple_des.h"

namespace {


// The key the block loop runs with: K1, K2, K3 for DES and Triple-DES, or the AES schedule.
struct PreparedKey {
    std::uint8_t k[24];
    AesContext aes;
};

// Deciphers the working key of field 1 under the master key of field 2, always in the decrypt direction.
void decipher_working_key(const CipherRow& row, PreparedKey& key) {
    const std::uint8_t* master = g_field[2].data;
    const std::uint8_t* encrypted = g_field[1].data;
    if (row.transform == Transform::Des) {
        des_block(DES_DECRYPT, encrypted, master, key.k);
    } else {
        tdes2_block(DES_DECRYPT, encrypted, master, key.k);
        tdes2_block(DES_DECRYPT, encrypted + 8, master, key.k + 8);
    }
}

void transform_block(const CipherRow& row, const PreparedKey& key, bool reverse, bool last,
                     const std::uint8_t* in, std::uint8_t* out) {
    const unsigned direction = reverse ? DES_DECRYPT : DES_ENCRYPT;
    const std::uint8_t* k1 = key.k;
    const std::uint8_t* k2 = key.k + 8;
    switch (row.transform) {
    case Transform::Aes:
        if (reverse)
            aes_decrypt_block(key.aes, in, out);
        else
            aes_encrypt_block(key.aes, in, out);
        break;
    case Transform::Des: des_block(direction, in, k1, out); break;
    case Transform::TripleDes2: tdes_block(direction, in, k1, k2, k1, out); break;
    case Transform::TripleDes3: tdes_block(direction, in, k1, k2, key.k + 16, out); break;
    case Transform::MacAlgorithm3: // always forward
        if (last)
            tdes_block(DES_ENCRYPT, in, k1, k2, k1, out);
        else
            des_block(DES_ENCRYPT, in, k1, out);
        break;
    case Transform::Whitened: des_whitened_block(direction, in, k1, out); break;
    }
}

void xor_block(std::uint8_t* target, const std::uint8_t* other, int block) {
    for (int i = 0; i < block; ++i)
        target[i] ^= other[i];
}

} // namespace

int block_cipher_handler() {
    const OperationRow& selected = selected_row();
    const bool mac = g_window->checked(IDC_RADIO_MAC);
    const bool chaining = mac || g_window->checked(IDC_RADIO_CBC);
    const bool reverse = (selected.flags & OPF_REVERSE) != 0;
    const bool pad = mac && g_window->checked(IDC_PADDING);

    const auto* row = static_cast<const CipherRow*>(selected.context);
    if (!row) {
        show_error(MSG_INTERNAL_ERROR);
        return 0;
    }
    const int block = row->block;

    if (!field_load(0, pad ? 0 : block, 1))
        return 0;
    if (!field_load(2, row->key_rule, 1))
        return 0;
    const std::int32_t key_length = g_field[2].length;
    if (row->transform == Transform::Aes && key_length != 16 && key_length != 24 && key_length != 32) {
        show_field_error(2, MSG_INVALID_KEY_LENGTH);
        return 0;
    }

    FieldBuffer& iv = g_field[3];
    if (chaining) {
        if (!field_load(3, 0, 1))
            return 0;
        if (iv.length == 0) {
            std::memset(iv.data, 0, sizeof iv.data);
        } else if (iv.length != block) {
            show_field_error(3, MSG_INVALID_FIELD_SIZE);
            return 0;
        }
    }

    // ISO/IEC 9797-1 padding method 2; refused when the padded data would not fit the field.
    FieldBuffer& data = g_field[0];
    if (pad) {
        const std::int32_t padded = (data.length / block + 1) * block;
        if (padded > FIELD_MAX_BYTES) {
            show_field_error(0, MSG_INVALID_FIELD_SIZE);
            return 0;
        }
        data.data[data.length] = 0x80;
        std::memset(data.data + data.length + 1, 0, static_cast<std::size_t>(padded - data.length - 1));
        data.length = padded;
    }

    PreparedKey key = {};
    switch (row->source) {
    case KeySource::Field:
        if (row->transform == Transform::Aes)
            aes_set_key(key.aes, g_field[2].data, key_length * 8);
        else
            std::memcpy(key.k, g_field[2].data, static_cast<std::size_t>(key_length));
        break;
    case KeySource::MasterKeyWorkingKey:
        if (!field_load(1, row->key_rule, 1))
            return 0;
        decipher_working_key(*row, key);
        break;
    case KeySource::Dukpt: {
        if (!field_load(1, -DUKPT_KSN_BYTES, 1))
            return 0;
        int variant = row->dukpt_variant;
        if ((selected.flags & OPF_IPEK_OPTION) && g_window->checked(IDC_USE_IPEK))
            variant |= DUKPT_KEY_IS_IPEK;
        int derived_length = 0;
        if (dukpt_derive_key(g_field[2].data, g_field[1].data, variant, key.k, &derived_length) != 0) {
            show_error(MSG_INTERNAL_ERROR);
            return 0;
        }
        break;
    }
    }

    FieldBuffer& out = g_field[4];
    const std::int32_t length = data.length;
    if (mac && row->transform == Transform::MacAlgorithm3 && length > 0) {
        mac_algorithm3(key.k, iv.data, data.data, static_cast<std::size_t>(length), out.data);
        out.length = block;
        field_show(4);
        return 1;
    }
    for (std::int32_t o = 0; o < length; o += block) {
        std::uint8_t in[16];
        std::memcpy(in, data.data + o, static_cast<std::size_t>(block));
        if (chaining && !reverse)
            xor_block(in, o == 0 ? iv.data : out.data + o - block, block);
        transform_block(*row, key, reverse, o + block >= length, in, out.data + o);
        if (chaining && reverse)
            xor_block(out.data + o, o == 0 ? iv.data : data.data + o - block, block);
    }

    // MAC mode shows the last block alone.
    if (mac && length > block) {
        std::memmove(out.data, out.data + length - block, static_cast<std::size_t>(block));
        out.length = block;
    } else {
        out.length = length;
    }
    field_show(4);
    return 1;
}
