// hmac_sha256.cpp: H((K ^ opad) || H((K ^ ipad) || message)), a key longer than the block hashed first.
#include "aes_dukpt/hmac_sha256.h"

#include <cstring>

namespace {

constexpr int BLOCK_BYTES = 64;

struct Sha256 {
    Sha256Context ctx{};

    Sha256() { std::memcpy(ctx.state, SHA256_INITIAL_STATE, sizeof ctx.state); }

    void add(std::span<const std::uint8_t> data)
    {
        for (std::uint8_t byte : data) {
            ctx.block[ctx.block_fill++] = byte;
            if (ctx.block_fill == BLOCK_BYTES) {
                sha256_transform(ctx);
                ctx.bit_count += 8 * BLOCK_BYTES;
                ctx.block_fill = 0;
            }
        }
    }
};

} // namespace

void hmac_sha256(std::span<const std::uint8_t> key, std::span<const std::uint8_t> message,
                 std::span<std::uint8_t, SHA256_DIGEST_BYTES> mac)
{
    std::uint8_t padded_key[BLOCK_BYTES] = {};
    if (key.size() > BLOCK_BYTES) {
        Sha256 hash;
        hash.add(key);
        sha256_final(hash.ctx, std::span<std::uint8_t, SHA256_DIGEST_BYTES>(padded_key, SHA256_DIGEST_BYTES));
    } else if (!key.empty()) {
        std::memcpy(padded_key, key.data(), key.size());
    }

    std::uint8_t pad[BLOCK_BYTES];
    std::uint8_t inner[SHA256_DIGEST_BYTES];
    for (int i = 0; i < BLOCK_BYTES; ++i)
        pad[i] = padded_key[i] ^ 0x36;
    Sha256 inner_hash;
    inner_hash.add(pad);
    inner_hash.add(message);
    sha256_final(inner_hash.ctx, inner);

    for (int i = 0; i < BLOCK_BYTES; ++i)
        pad[i] = padded_key[i] ^ 0x5C;
    Sha256 outer_hash;
    outer_hash.add(pad);
    outer_hash.add(inner);
    sha256_final(outer_hash.ctx, mac);
}
