// hash_message.cpp: runs MD5, SHA-1, SHA-256, SHA-384 or SHA-512 over a whole message. MD5 and
// SHA-256 have no update of their own: the message is absorbed here a byte at a time.
#include "digest/hash_message.h"

#include <cstring>

#include "core/catalogue.h"
#include "digest/block_padding.h"
#include "digest/md5.h"
#include "digest/sha1.h"
#include "digest/sha256.h"
#include "digest/sha512.h"

namespace {

// Appends each byte to the block; a full block is compressed and counted as 512 bits.
template <typename Context, void (*Transform)(Context&)>
void absorb(Context& ctx, std::span<const std::uint8_t> data)
{
    for (std::uint8_t byte : data) {
        ctx.block[ctx.block_fill++] = byte;
        if (ctx.block_fill == 64) {
            Transform(ctx);
            ctx.bit_count += 512;
            ctx.block_fill = 0;
        }
    }
}

void md5_message(std::span<const std::uint8_t> data, std::span<std::uint8_t, MD5_DIGEST_BYTES> out)
{
    Md5Context ctx{};
    std::memcpy(ctx.state, MD5_INITIAL_STATE, sizeof ctx.state);
    absorb<Md5Context, md5_transform>(ctx, data);

    pad_final_block<Md5Context, md5_transform>(ctx, false); // RFC 1321 sections 3.1 and 3.2

    for (int k = 0; k < 4; ++k)
        for (int j = 0; j < 4; ++j)
            out[4 * k + j] = std::uint8_t(ctx.state[k] >> (8 * j));
}

void sha1_message(std::span<const std::uint8_t> data, std::span<std::uint8_t, SHA1_DIGEST_BYTES> out)
{
    Sha1Context ctx;
    sha1_init(ctx);
    sha1_update(ctx, data);
    sha1_final(out, ctx);
}

void sha256_message(std::span<const std::uint8_t> data, std::span<std::uint8_t, SHA256_DIGEST_BYTES> out)
{
    Sha256Context ctx{};
    std::memcpy(ctx.state, SHA256_INITIAL_STATE, sizeof ctx.state);
    absorb<Sha256Context, sha256_transform>(ctx, data);
    sha256_final(ctx, out);
}

} // namespace

int hash_message(std::int32_t op_id, std::span<const std::uint8_t> data, std::span<std::uint8_t, HASH_MAX_BYTES> out)
{
    switch (op_id) {
    case OP_MD5:
        md5_message(data, out.first<MD5_DIGEST_BYTES>());
        return MD5_DIGEST_BYTES;
    case OP_SHA1:
        sha1_message(data, out.first<SHA1_DIGEST_BYTES>());
        return SHA1_DIGEST_BYTES;
    case OP_SHA256:
        sha256_message(data, out.first<SHA256_DIGEST_BYTES>());
        return SHA256_DIGEST_BYTES;
    case OP_SHA384:
        sha512_digest(data, out, 1);
        return SHA384_DIGEST_BYTES;
    case OP_SHA512:
        sha512_digest(data, out, 0);
        return SHA512_DIGEST_BYTES;
    default:
        return 0;
    }
}
