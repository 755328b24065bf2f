// hmac.cpp: HMAC over a one-shot hash: the padded key and the message are joined, then hashed.
#include "digest/hmac.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int MAX_BLOCK_BYTES = 128;

} // namespace

void hmac(const HashFunction& hash, std::span<const std::uint8_t> key, std::span<const std::uint8_t> message,
          std::span<std::uint8_t> mac)
{
    const auto block = static_cast<std::size_t>(hash.block_bytes);
    const auto digest = static_cast<std::size_t>(hash.digest_bytes);
    std::uint8_t padded_key[MAX_BLOCK_BYTES] = {};
    if (key.size() > block)
        hash.run(key, {padded_key, digest});
    else
        std::copy(key.begin(), key.end(), padded_key);

    std::vector<std::uint8_t> inner_input(block + message.size());
    for (std::size_t i = 0; i < block; ++i)
        inner_input[i] = padded_key[i] ^ 0x36;
    std::copy(message.begin(), message.end(), inner_input.begin() + static_cast<std::ptrdiff_t>(block));
    std::uint8_t inner[HMAC_MAX_BYTES];
    hash.run(inner_input, {inner, digest});

    std::vector<std::uint8_t> outer_input(block + digest);
    for (std::size_t i = 0; i < block; ++i)
        outer_input[i] = padded_key[i] ^ 0x5C;
    std::copy_n(inner, digest, outer_input.begin() + static_cast<std::ptrdiff_t>(block));
    hash.run(outer_input, mac.first(digest));
}
