// fuzz_keyblock.cpp: the key block reader and builder. Any text under any KBPK into the reader, held
// in a buffer of exactly its size so that a read past it stops the run; and any header, key and
// padding into the builder, whose block must open again to the same key and header.
#include <cstring>
#include <memory>

#include "keyblock/key_block.h"
#include "tests/fuzz/fuzz_driver.h"

namespace {

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    if (data[0] & 1) {
        read_any(data, size);
    } else {
        FuzzInput in(data + 1, size - 1);
        build_and_open(in);
    }
    return 0;
}
