// cryptogram_handler.cpp: the "EMV Cryptogram" rows: MAC algorithm 3 under the cryptogram key over the
// padded data, shown with the data MACed (field 2), the key used or its check value (field 3) and the
// cryptogram (field 4).
#include <algorithm>
#include <array>
#include <string_view>

#include "core/controller.h"
#include "core/field.h"
#include "core/messages.h"
#include "emv/cryptogram.h"
#include "emv/fields.h"
#include "emv/handlers.h"
#include "emv/keys.h"
#include "emv/rows.h"
#include "symmetric/mac_algorithm3.h"

namespace {

using Key = std::array<std::uint8_t, 16>;

// The version a preset row names as its context; none for the custom row.
const CryptogramVersion* selected_version() { return static_cast<const CryptogramVersion*>(selected_row().context); }

Key version_key(SessionKeyMethod method, const std::uint8_t* mk_bytes, std::span<const std::uint8_t> data)
{
    const std::span<const std::uint8_t, 16> mk(mk_bytes, 16);
    const auto atc = data.subspan<ATC_OFFSET, 2>();
    Key key;
    switch (method) {
    case SessionKeyMethod::None: std::copy(mk.begin(), mk.end(), key.begin()); break;
    case SessionKeyMethod::Common: {
        std::array<std::uint8_t, 8> r{atc[0], atc[1]};
        common_session_key(mk, r, key);
        break;
    }
    case SessionKeyMethod::Mastercard: mastercard_session_key(mk, atc, data.subspan<UN_OFFSET, 4>(), key); break;
    }
    return key;
}

std::array<std::uint8_t, 8> cryptogram(const Key& key, std::span<const std::uint8_t> padded)
{
    const std::uint8_t zero_iv[8] = {};
    std::array<std::uint8_t, 8> mac;
    mac_algorithm3(key.data(), zero_iv, padded.data(), padded.size(), mac.data());
    return mac;
}

} // namespace

int emv_cryptogram_handler()
{
    Key key;
    // The custom row: the whole data in field 0, the key in field 2.
    if (selected_row().id == OP_EMV_CRYPTOGRAM_CUSTOM) {
        if (!field_load(0, 0, 1) || !load_key(2))
            return 0;
        std::copy_n(g_field[2].data, 16, key.begin());
        const auto padding = g_window->checked(IDC_PADDING) ? MacPadding::Bit : MacPadding::Zeros;
        const auto padded = mac_padded(field_bytes(0), padding);
        if (padded.size() > FIELD_MAX_BYTES) {
            show_field_error(0, MSG_INVALID_FIELD_SIZE);
            return 0;
        }
        show_bytes(3, padded);
        show_bytes(4, cryptogram(key, padded));
        return 1;
    }

    if (!load_key(0) || !field_load(1, 0, 1))
        return 0;
    std::copy_n(g_field[0].data, 16, key.begin());

    const CryptogramVersion* version = selected_version();
    if (!version) {
        show_error(MSG_INTERNAL_ERROR);
        return 0;
    }
    const auto data = cryptogram_data(*version, field_bytes(1));
    if (data.empty()) {
        show_field_error(1, MSG_DATA_VERSION);
        return 0;
    }
    key = version_key(version->key, g_field[0].data, data);
    const auto padded = mac_padded(data, version->padding);
    show_bytes(2, padded);
    show_bytes(3, key);
    show_bytes(4, cryptogram(key, padded));
    return 1;
}
