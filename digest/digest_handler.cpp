// digest_handler.cpp: the operation of the six hash rows: CRC16 with its optional initial value,
// MD5, SHA-1, SHA-256, SHA-384 and SHA-512 of field 0, shown in field 4.
#include <span>

#include "core/catalogue.h"
#include "core/controller.h"
#include "core/field.h"
#include "core/handlers.h"
#include "core/messages.h"
#include "digest/crc16.h"
#include "digest/hash_message.h"

namespace {

// CRC16 of field 0 from the initial value in field 1 (none, or two bytes high half first).
int run_crc16(std::span<const std::uint8_t> data, FieldBuffer& out)
{
    if (!field_load(1, 0, 1))
        return 0;
    const FieldBuffer& iv = g_field[1];
    if (iv.length != 0 && iv.length != 2) {
        show_field_error(1, MSG_INVALID_FIELD_SIZE);
        return 0;
    }
    std::uint16_t initial = iv.length == 2 ? std::uint16_t(iv.data[0] << 8 | iv.data[1]) : 0;
    std::uint16_t crc = crc16(initial, data);
    out.data[0] = std::uint8_t(crc >> 8);
    out.data[1] = std::uint8_t(crc);
    out.length = 2;
    return 1;
}

} // namespace

int digest_handler()
{
    const OperationRow& row = selected_row();
    if (!field_load(0, 0, 1))
        return 0;
    std::span<const std::uint8_t> data(g_field[0].data, static_cast<std::size_t>(g_field[0].length));
    FieldBuffer& out = g_field[4];

    if (row.id == OP_CRC16) {
        if (!run_crc16(data, out))
            return 0;
    } else {
        int length = hash_message(row.id, data, std::span(out.data).first<HASH_MAX_BYTES>());
        if (length == 0) {
            // A row that names this handler for an operation it does not serve.
            show_error(MSG_INTERNAL_ERROR);
            return 0;
        }
        out.length = length;
    }
    field_show(4);
    return 1;
}
