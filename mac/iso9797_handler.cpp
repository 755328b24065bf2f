// iso9797_handler.cpp: the ISO/IEC 9797-1 MAC rows: data, key, "padding method / MAC length" in; the padded
// data and the MAC (its leftmost bytes) out.
#include <array>
#include <string>

#include "core/controller.h"
#include "core/field.h"
#include "core/messages.h"
#include "mac/handlers.h"
#include "mac/iso9797.h"
#include "mac/mac_length.h"
#include "mac/rows.h"
#include "pin/pin_fields.h"
#include "symmetric/mac_algorithm3.h"

namespace {

constexpr int KEY_FIELD = 0;
constexpr int DATA_FIELD = 1;
constexpr int OPTIONS_FIELD = 2;
constexpr int PADDED_FIELD = 3;
constexpr int RETAIL_KEY_BYTES = 16;

// DES or Triple-DES by length for the DES rows, AES for the AES row; algorithm 3 takes K and K'.
bool set_key(BlockKey& key, const Iso9797Row& row, std::span<const std::uint8_t> bytes)
{
    const int length = static_cast<int>(bytes.size());
    if (row.retail)
        return length == RETAIL_KEY_BYTES && block_key_set(key, BlockAlgorithm::Des, bytes.data(), 8);
    const BlockAlgorithm algorithm = row.aes ? BlockAlgorithm::Aes : length == 8 ? BlockAlgorithm::Des : BlockAlgorithm::Tdes;
    return block_key_set(key, algorithm, bytes.data(), length);
}

} // namespace

int iso9797_mac_handler()
{
    const auto& row = *static_cast<const Iso9797Row*>(selected_row().context);
    if (!field_load(KEY_FIELD, 0, 1) || !field_load(DATA_FIELD, 0, 1) || !field_load(OPTIONS_FIELD, 0, 1))
        return 0;
    std::array<std::string, 2> options;
    if (!field_parts(OPTIONS_FIELD, options))
        return 0;
    BlockKey key;
    if (!set_key(key, row, field_bytes(KEY_FIELD))) {
        show_field_error(KEY_FIELD, MSG_INVALID_KEY_LENGTH);
        return 0;
    }
    const int method = options[0][0] - '0';
    if (method < PADDING_METHOD_FIRST || method > PADDING_METHOD_LAST) {
        show_field_error(OPTIONS_FIELD, MSG_INVALID_PADDING_METHOD);
        return 0;
    }
    const int length = mac_length(options[1], key.block_bytes);
    if (length == 0) {
        show_field_error(OPTIONS_FIELD, MSG_INVALID_MAC_LENGTH);
        return 0;
    }

    const std::vector<std::uint8_t> padded = iso9797_pad(field_bytes(DATA_FIELD), method, key.block_bytes);
    std::uint8_t mac[16];
    if (row.retail) {
        const std::uint8_t zero_iv[8] = {};
        mac_algorithm3(field_bytes(KEY_FIELD).data(), zero_iv, padded.data(), padded.size(), mac);
    } else {
        mac_algorithm1(key, padded, mac);
    }
    show_bytes(PADDED_FIELD, padded);
    show_bytes(4, {mac, static_cast<std::size_t>(length)});
    return 1;
}
