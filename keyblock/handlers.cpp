// handlers.cpp: the key block rows: opening a block (its header in words, its key's check value and
// its key) and building one, reading the fields and reporting each refusal at the field it concerns.
#include "keyblock/handlers.h"

#include "core/field.h"
#include "core/messages.h"
#include "keyblock/check_value.h"
#include "keyblock/header_words.h"
#include "keyblock/key_block.h"
#include "rsa/havege.h"

namespace {

enum : int { FIELD_BLOCK_OR_HEADER = 0, FIELD_KBPK = 1, FIELD_KEY = 2, FIELD_PADDING = 3 };
enum : int { OUTPUT_HEADER = 2, OUTPUT_CHECK_VALUE = 3, OUTPUT_KEY = 4, OUTPUT_BLOCK = 4 };

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
    // The row gives the outputs room for what a block of its field's capacity holds; a header whose words
    // would still not fit is refused rather than shown cut.
    const std::string words = header_in_words(header);
    if (words.size() > static_cast<std::size_t>(field_capacity(OUTPUT_HEADER))) {
        show_field_error(FIELD_BLOCK_OR_HEADER, key_block_message(KeyBlockError::TooLong));
        return 0;
    }
    show_text(OUTPUT_HEADER, words);
    // Keys of algorithms without a check value (HMAC, RSA, ECC, DSA) leave it empty.
    show_bytes(OUTPUT_CHECK_VALUE, key_check_value(header_field(header, FIELD_ALGORITHM)[0], key));
    show_bytes(OUTPUT_KEY, key);
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
    if (error == KeyBlockError::None && block.size() > static_cast<std::size_t>(field_capacity(OUTPUT_BLOCK)))
        error = KeyBlockError::TooLong;
    if (error != KeyBlockError::None) {
        show_field_error(field_of_build_error(error), key_block_message(error));
        return 0;
    }
    show_text(OUTPUT_BLOCK, block);
    return 1;
}
