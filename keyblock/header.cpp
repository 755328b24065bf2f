// header.cpp: reading a key block header: the 16 fixed characters and the optional blocks after them
// (TR-31:2018 5.2, ANSI X9.143:2021 6.2), never past the text given.
#include <algorithm>

#include "keyblock/key_block.h"

namespace {

constexpr std::string_view MESSAGES[] = {
    "",
    "Key block length does not match its header!",
    "Invalid key block length!",
    "Invalid header character!",
    "Unknown key block version!",
    "Invalid optional block!",
    "Key block data not hexadecimal!",
    "Invalid KBPK length!",
    "Invalid key length!",
    "Key block MAC does not verify!",
    "Invalid padding length!",
    "Key block too long!",
};

bool printable(char c) { return c >= 0x20 && c <= 0x7E; }
bool decimal(char c) { return c >= '0' && c <= '9'; }
bool alphanumeric(char c) { return decimal(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Upper-case hexadecimal digits to a number; -1 when any is not one.
long hex_number(std::string_view digits)
{
    long value = 0;
    for (char c : digits) {
        const int v = decimal(c) ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
        if (v < 0)
            return -1;
        value = value * 16 + v;
    }
    return value;
}

int decimal_number(std::string_view digits)
{
    int value = 0;
    for (char c : digits) {
        if (!decimal(c))
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// One optional block at text[at]: id (two alphanumeric characters, as ANSI X9.143 requires), two
// hexadecimal length digits, or "00", two digits counting the length's own digits, and those digits
// (the extended length form). The length counts the whole block.
// Returns the position after it, or 0 when it is malformed or would pass the end of text.
std::size_t read_optional_block(std::string_view text, std::size_t at, OptionalBlock& block)
{
    if (text.size() - at < 4)
        return 0;
    block.id = text.substr(at, 2);
    std::size_t head = 4;
    long length = hex_number(text.substr(at + 2, 2));
    if (length == 0) {
        if (text.size() - at < 6)
            return 0;
        const long digits = hex_number(text.substr(at + 4, 2));
        if (digits <= 0 || digits > 4 || text.size() - at - 6 < static_cast<std::size_t>(digits))
            return 0;
        head = 6 + static_cast<std::size_t>(digits);
        length = hex_number(text.substr(at + 6, static_cast<std::size_t>(digits)));
    }
    if (length < static_cast<long>(head) || static_cast<std::size_t>(length) > text.size() - at)
        return 0;
    block.data = text.substr(at + head, static_cast<std::size_t>(length) - head);
    const auto is_printable = [](std::string_view s) { return std::all_of(s.begin(), s.end(), printable); };
    if (!std::all_of(block.id.begin(), block.id.end(), alphanumeric) || !is_printable(block.data))
        return 0;
    return at + static_cast<std::size_t>(length);
}

} // namespace

std::string_view key_block_message(KeyBlockError error) { return MESSAGES[static_cast<int>(error)]; }

KeyBlockError parse_key_block_header(std::string_view text, KeyBlockHeader& header)
{
    const std::string_view fixed = text.substr(0, std::min<std::size_t>(text.size(), KEY_BLOCK_FIXED_HEADER));
    if (!std::all_of(fixed.begin(), fixed.end(), printable))
        return KeyBlockError::HeaderCharacter;
    if (fixed.empty())
        return KeyBlockError::BadLength;
    switch (fixed[0]) {
    case 'A': case 'B': case 'C': case 'D': break;
    default: return KeyBlockError::UnknownVersion;
    }
    header.version = static_cast<KeyBlockVersion>(fixed[0]);
    header.length = fixed.size() < 5 ? -1 : decimal_number(fixed.substr(1, 4));
    if (header.length < 0)
        return KeyBlockError::BadLength;
    if (fixed.size() < KEY_BLOCK_FIXED_HEADER)
        return KeyBlockError::BadLength;
    header.fixed = fixed;
    header.optional_count = decimal_number(header_field(header, FIELD_OPTIONAL_COUNT));
    if (header.optional_count < 0)
        return KeyBlockError::HeaderCharacter;

    std::size_t at = KEY_BLOCK_FIXED_HEADER;
    for (int i = 0; i < header.optional_count; ++i) {
        at = read_optional_block(text, at, header.optional[static_cast<std::size_t>(i)]);
        if (at == 0)
            return KeyBlockError::OptionalBlock;
        // The padding block, when there is one, closes the list.
        if (header.optional[static_cast<std::size_t>(i)].id == "PB" && i + 1 != header.optional_count)
            return KeyBlockError::OptionalBlock;
    }
    header.text = text.substr(0, at);
    return KeyBlockError::None;
}
