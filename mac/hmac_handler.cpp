// hmac_handler.cpp: the HMAC rows: data and key in, the HMAC under the row's hash out, cut to the length typed.
#include <cstdint>

#include "core/controller.h"
#include "core/field.h"
#include "digest/hmac.h"
#include "mac/handlers.h"
#include "mac/mac_length.h"
#include "pin/pin_fields.h"

namespace {

constexpr int KEY_FIELD = 0;
constexpr int DATA_FIELD = 1;
constexpr int LENGTH_FIELD = 2;

} // namespace

int hmac_handler()
{
    const auto& hash = *static_cast<const HashFunction*>(selected_row().context);
    if (!field_load(KEY_FIELD, 0, 1) || !field_load(DATA_FIELD, 0, 1) || !field_load(LENGTH_FIELD, 0, 1))
        return 0;
    const int length = mac_length(field_text(LENGTH_FIELD), hash.digest_bytes);
    if (length == 0) {
        show_field_error(LENGTH_FIELD, MSG_INVALID_MAC_LENGTH);
        return 0;
    }
    std::uint8_t mac[HMAC_MAX_BYTES];
    hmac(hash, field_bytes(KEY_FIELD), field_bytes(DATA_FIELD), {mac, static_cast<std::size_t>(hash.digest_bytes)});
    show_bytes(4, {mac, static_cast<std::size_t>(length)});
    return 1;
}
