// fuzz_keyblock.cpp: the key block reader and builder. Any text under any KBPK into the reader, held
// in a buffer of exactly its size so that a read past it stops the run; any header, key and padding
// into the builder, whose block must open again to the same key and header; and any header and payload
// sealed under a known KBPK, so that the MAC holds and the reading of optional blocks, key length,
// header in words and check value behind it is reached.
#include <algorithm>
#include <cstring>
#include <memory>

#include "keyblock/check_value.h"
#include "keyblock/header_words.h"
#include "keyblock/key_block.h"
#include "tests/fuzz/fuzz_driver.h"

namespace {

// Any fixed key will do: the fuzzer need only get past the MAC, not guess it.
constexpr std::uint8_t KNOWN_KBPK[32] = {0x88, 0xE1, 0xAB, 0x2A, 0x2E, 0x3D, 0xD3, 0x8C, 0x1F, 0xA0, 0x39,
                                         0xA5, 0x36, 0x50, 0x0C, 0xC8, 0xA8, 0x7A, 0xB9, 0xD6, 0x2D, 0xC9,
                                         0x2C, 0x01, 0x05, 0x8F, 0xA7, 0x9F, 0x44, 0x65, 0x7D, 0xE6};

void read_any(const std::uint8_t* data, std::size_t size)
{
    const std::size_t kbpk_length = size > 1 ? std::min<std::size_t>(data[1] % 40, size - 2) : 0;
    const std::size_t at = size > 1 ? 2 + kbpk_length : size;
    auto kbpk = std::make_unique<std::uint8_t[]>(kbpk_length);
    if (kbpk_length)
        std::memcpy(kbpk.get(), data + 2, kbpk_length);
    const std::size_t n = size - at;
    auto text = std::make_unique<char[]>(n);
    if (n)
        std::memcpy(text.get(), data + at, n);
    KeyBlockHeader header;
    std::vector<std::uint8_t> key;
    const KeyBlockError error = open_key_block({text.get(), n}, {kbpk.get(), kbpk_length}, header, key);
    FUZZ_CHECK(error == KeyBlockError::None || key.empty(), "a key given out with a refusal");
    FUZZ_CHECK(!key_block_message(error).empty() || error == KeyBlockError::None, "a refusal without a message");
}

void build_and_open(FuzzInput& in)
{
    constexpr std::size_t KBPK_SIZES[] = {16, 24, 32};
    const std::uint8_t choice = in.byte();
    std::string header = in.text(200);
    std::vector<std::uint8_t> kbpk(KBPK_SIZES[choice % 3]);
    for (std::uint8_t& b : kbpk)
        b = in.byte();
    std::vector<std::uint8_t> key(1 + in.byte() % 64);
    for (std::uint8_t& b : key)
        b = in.byte();
    KeyBlockHeader typed;
    if (parse_key_block_header(header, typed) != KeyBlockError::None)
        return;
    const std::size_t n = static_cast<std::size_t>(key_block_cipher_bytes(typed.version));
    std::vector<std::uint8_t> padding(static_cast<std::size_t>(minimal_key_padding(typed.version, key.size())) +
                                      n * (choice >> 6));
    for (std::uint8_t& b : padding)
        b = in.byte();

    std::string block;
    if (build_key_block(header, kbpk, key, padding, block) != KeyBlockError::None)
        return;
    KeyBlockHeader opened;
    std::vector<std::uint8_t> again;
    const KeyBlockError error = open_key_block(block, kbpk, opened, again);
    FUZZ_CHECK(error == KeyBlockError::None, std::string(key_block_message(error)) + " " + block);
    FUZZ_CHECK(again == key, block);
    // The header comes back as typed, but for the length and the count of a padding block added.
    const std::string_view back = opened.text;
    FUZZ_CHECK(back.size() >= header.size() && back.substr(16, header.size() - 16) == header.substr(16), block);
    for (std::size_t i : {0, 5, 6, 7, 8, 9, 10, 11, 14, 15})
        FUZZ_CHECK(back[i] == header[i], block);
}

// A header taken as it comes (but for its version and length) and a payload whose key length field
// may lie, sealed under the known KBPK. The block opens exactly when its header reads whole, in whole
// cipher blocks, and the length field fits the payload; then to the key the payload carries.
void seal_and_open(FuzzInput& in)
{
    constexpr std::size_t KBPK_SIZES[] = {16, 24, 32};
    const std::uint8_t choice = in.byte();
    const auto version = static_cast<KeyBlockVersion>("ABCD"[choice & 3]);
    const std::size_t kbpk_size = KBPK_SIZES[(choice >> 2) % (version == KeyBlockVersion::D ? 3 : 2)];
    const std::span<const std::uint8_t> kbpk(KNOWN_KBPK, kbpk_size);
    std::string header = in.text(9999);
    if (header.size() < 5)
        return;
    header[0] = static_cast<char>(version);
    const std::size_t n = static_cast<std::size_t>(key_block_cipher_bytes(version));
    const std::size_t blocks = 1 + in.byte() % 64;
    std::vector<std::uint8_t> payload(blocks * n);
    for (std::uint8_t& b : payload)
        b = in.byte();

    std::string block;
    if (seal_key_block(version, header, kbpk, payload, block) != KeyBlockError::None)
        return;
    header = block.substr(0, header.size()); // with its length field filled in
    KeyBlockHeader sealed;
    const bool header_reads = parse_key_block_header(header, sealed) == KeyBlockError::None &&
                              sealed.text.size() == header.size() && header.size() % n == 0;
    const std::size_t bits = static_cast<std::size_t>(payload[0]) << 8 | payload[1];
    const bool length_fits = bits != 0 && bits % 8 == 0 && bits / 8 <= payload.size() - 2;

    KeyBlockHeader opened;
    std::vector<std::uint8_t> key;
    const KeyBlockError error = open_key_block(block, kbpk, opened, key);
    const std::string detail = std::string(key_block_message(error)) + " " + block;
    FUZZ_CHECK((error == KeyBlockError::None) == (header_reads && length_fits), detail);
    FUZZ_CHECK(!header_reads || error == KeyBlockError::None || error == KeyBlockError::KeyLength, detail);
    if (error != KeyBlockError::None)
        return;
    FUZZ_CHECK(opened.text == header, detail);
    FUZZ_CHECK(std::equal(key.begin(), key.end(), payload.begin() + 2) && key.size() == bits / 8, detail);
    const std::string words = header_in_words(opened);
    for (int i = 0; i < opened.optional_count; ++i)
        FUZZ_CHECK(words.find(opened.optional[static_cast<std::size_t>(i)].data) != std::string::npos, detail);
    const std::vector<std::uint8_t> check = key_check_value(header_field(opened, FIELD_ALGORITHM)[0], key);
    FUZZ_CHECK(check.empty() || check.size() == KEY_BLOCK_CHECK_VALUE_BYTES, detail);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    if (data[0] & 1) {
        read_any(data, size);
    } else if (data[0] & 2) {
        FuzzInput in(data + 1, size - 1);
        seal_and_open(in);
    } else {
        FuzzInput in(data + 1, size - 1);
        build_and_open(in);
    }
    return 0;
}
