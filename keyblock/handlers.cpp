// handlers.cpp: the key block rows: opening a block (its header in words, its key's check value and
// its key) and building one, reading the fields and reporting each refusal at the field it concerns.
#include "keyblock/handlers.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "core/field.h"
#include "core/messages.h"
#include "keyblock/check_value.h"
#include "keyblock/header_words.h"
#include "keyblock/key_block.h"
#include "rsa/havege.h"

namespace {

enum : int { FIELD_BLOCK_OR_HEADER = 0, FIELD_KBPK = 1, FIELD_KEY = 2, FIELD_PADDING = 3 };

template <typename Bytes>
void set_output(int index, const Bytes& bytes)
{
    const std::size_t n = std::min<std::size_t>(bytes.size(), FIELD_MAX_BYTES);
    std::memcpy(g_field[index].data, bytes.data(), n);
    g_field[index].length = static_cast<std::int32_t>(n);
    field_show(index);
}

int field_of_build_error(KeyBlockError error)
{
    switch (error) {
    case KeyBlockError::KbpkLength: return FIELD_KBPK;
    case KeyBlockError::KeyLength:
    case KeyBlockError::TooLong: return FIELD_KEY;
    case KeyBlockError::PaddingLength: return FIELD_PADDING;
    default: return FIELD_BLOCK_OR_HEADER;
    }
}

} // namespace

int key_block_open_handler()
{
    if (!field_load(FIELD_BLOCK_OR_HEADER, 0, 1) || !field_load(FIELD_KBPK, 0, 1))
        return 0;
    KeyBlockHeader header;
    std::vector<std::uint8_t> key;
    const KeyBlockError error = open_key_block(field_text(FIELD_BLOCK_OR_HEADER), field_bytes(FIELD_KBPK), header, key);
    if (error != KeyBlockError::None) {
        show_field_error(error == KeyBlockError::KbpkLength ? FIELD_KBPK : FIELD_BLOCK_OR_HEADER,
                         key_block_message(error));
        return 0;
    }
    set_output(2, header_in_words(header));
    set_output(3, key_check_value(header_field(header, FIELD_ALGORITHM)[0], key));
    set_output(4, key);
    return 1;
}

int key_block_build_handler()
{
    for (int i : {FIELD_BLOCK_OR_HEADER, FIELD_KBPK, FIELD_KEY, FIELD_PADDING})
        if (!field_load(i, 0, 1))
            return 0;
    KeyBlockHeader header;
    KeyBlockError error = parse_key_block_header(field_text(FIELD_BLOCK_OR_HEADER), header);
    std::string block;
    if (error == KeyBlockError::None) {
        std::vector<std::uint8_t> padding(field_bytes(FIELD_PADDING).begin(), field_bytes(FIELD_PADDING).end());
        if (padding.empty()) {
            padding.resize(static_cast<std::size_t>(minimal_key_padding(header.version, field_bytes(FIELD_KEY).size())));
            havege_random_bytes(padding);
        }
        error = build_key_block(field_text(FIELD_BLOCK_OR_HEADER), field_bytes(FIELD_KBPK), field_bytes(FIELD_KEY),
                                padding, block);
    }
    if (error == KeyBlockError::None && block.size() > FIELD_MAX_BYTES)
        error = KeyBlockError::TooLong;
    if (error != KeyBlockError::None) {
        show_field_error(field_of_build_error(error), key_block_message(error));
        return 0;
    }
    set_output(4, block);
    return 1;
}
