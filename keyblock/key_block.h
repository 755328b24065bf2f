// key_block.h: TR-31 / ANSI X9.143 key blocks: the header as a record, opening a block under its
// key-block protection key (KBPK), and building one.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The header's first character: how the key is bound to its header.
enum class KeyBlockVersion : char {
    A = 'A', // TR-31:2005: key variant binding, Triple-DES (deprecated)
    B = 'B', // TR-31:2010: Triple-DES key derivation binding, CMAC
    C = 'C', // TR-31:2010: key variant binding, as version A
    D = 'D', // TR-31:2018, ISO 20038: AES key derivation binding, CMAC
};

// One value per rule a key block or a header can break; key_block_message names each.
enum class KeyBlockError {
    None,
    LengthMismatch,  // the length field disagrees with the block's characters
    BadLength,       // the length field is not decimal, or no room for key data, or not whole blocks
    HeaderCharacter, // a header character outside printable ASCII, or a count that is not decimal
    UnknownVersion,
    OptionalBlock,   // an optional block that overruns, has a bad length, or a header not in whole blocks
    NotHex,          // encrypted key data or MAC not hexadecimal
    KbpkLength,
    KeyLength,       // the key length field does not fit the payload, or no key to build with
    MacMismatch,
    PaddingLength,   // a given padding that leaves the payload out of whole blocks
    TooLong,         // a built block over the length field's 9999 characters or its field's capacity, or a
                     // header whose words pass the header field's
};

std::string_view key_block_message(KeyBlockError error);

inline constexpr int KEY_BLOCK_FIXED_HEADER = 16;
inline constexpr int MAX_OPTIONAL_BLOCKS = 99;

// Id and contents of an optional block, views into the header text.
struct OptionalBlock {
    std::string_view id;
    std::string_view data;
};

// The fixed fields, positions 0 to 15, and the optional blocks that follow them.
struct KeyBlockHeader {
    KeyBlockVersion version;
    int length;                 // the length field as read
    std::string_view fixed;     // the 16 characters
    std::string_view text;      // the whole header, optional blocks included
    int optional_count;
    std::array<OptionalBlock, MAX_OPTIONAL_BLOCKS> optional;
};

// Fields of the fixed header by position.
struct HeaderField {
    int offset;
    int width;
};
inline constexpr HeaderField FIELD_LENGTH = {1, 4};
inline constexpr HeaderField FIELD_USAGE = {5, 2};
inline constexpr HeaderField FIELD_ALGORITHM = {7, 1};
inline constexpr HeaderField FIELD_MODE = {8, 1};
inline constexpr HeaderField FIELD_KEY_VERSION = {9, 2};
inline constexpr HeaderField FIELD_EXPORTABILITY = {11, 1};
inline constexpr HeaderField FIELD_OPTIONAL_COUNT = {12, 2};
inline constexpr HeaderField FIELD_KEY_CONTEXT = {14, 1}; // X9.143; TR-31:2018 reserves it
inline constexpr HeaderField FIELD_RESERVED = {15, 1};

inline std::string_view header_field(const KeyBlockHeader& header, HeaderField field)
{
    return header.fixed.substr(static_cast<std::size_t>(field.offset), static_cast<std::size_t>(field.width));
}

// Reads the header at the start of text: the fixed fields, then as many optional blocks as the
// count says, none reaching past text. The rest of text is not looked at.
KeyBlockError parse_key_block_header(std::string_view text, KeyBlockHeader& header);

// Cipher block size of a version: 8 for the Triple-DES versions, 16 for D.
int key_block_cipher_bytes(KeyBlockVersion version);
// Whether a KBPK of this many bytes protects blocks of this version.
bool kbpk_fits(KeyBlockVersion version, std::size_t length);

// Opens a whole block: checks its form, its MAC under the KBPK, and its key length field; the key
// is set only when all hold.
KeyBlockError open_key_block(std::string_view block, std::span<const std::uint8_t> kbpk, KeyBlockHeader& header,
                             std::vector<std::uint8_t>& key);

// The padding a key needs at least so that the payload (length field, key, padding) fills whole blocks.
int minimal_key_padding(KeyBlockVersion version, std::size_t key_length);

// Builds a block from a header typed as a block shows it (its length field is filled in here, and a
// padding block "PB" of '0' characters is added when the header does not fill whole cipher blocks),
// the KBPK, the key and the padding that follows it.
KeyBlockError build_key_block(std::string_view header_text, std::span<const std::uint8_t> kbpk,
                              std::span<const std::uint8_t> key, std::span<const std::uint8_t> padding,
                              std::string& block);

// Binds a payload (the key's length in bits, the key, its padding: whole cipher blocks) to a header
// under the KBPK, filling in the header's length field; the header is otherwise taken as it is, unread.
KeyBlockError seal_key_block(KeyBlockVersion version, std::string_view header_text, std::span<const std::uint8_t> kbpk,
                             std::span<const std::uint8_t> payload, std::string& block);
