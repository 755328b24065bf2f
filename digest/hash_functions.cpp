// hash_functions.cpp: the one-shot hashes of hash_functions.h over the workbench's own SHA code; SHA-224 is
// SHA-256 from its own initial values, cut to 28 bytes (FIPS 180-4 sections 5.3.2 and 6.3).
#include "digest/hash_functions.h"

#include <algorithm>
#include <cstring>

#include "digest/sha1.h"
#include "digest/sha256.h"
#include "digest/sha512.h"

namespace {

constexpr std::uint32_t SHA224_INITIAL_STATE[8] = {0xC1059ED8, 0x367CD507, 0x3070DD17, 0xF70E5939,
                                                   0xFFC00B31, 0x68581511, 0x64F98FA7, 0xBEFA4FA4};

void sha256_family(const std::uint32_t (&initial)[8], std::span<const std::uint8_t> data, std::span<std::uint8_t> out)
{
    Sha256Context ctx{};
    std::memcpy(ctx.state, initial, sizeof ctx.state);
    for (std::uint8_t byte : data) {
        ctx.block[ctx.block_fill++] = byte;
        if (ctx.block_fill == 64) {
            sha256_transform(ctx);
            ctx.bit_count += 512;
            ctx.block_fill = 0;
        }
    }
    std::uint8_t digest[SHA256_DIGEST_BYTES];
    sha256_final(ctx, digest);
    std::copy_n(digest, out.size(), out.begin());
}

void sha1_run(std::span<const std::uint8_t> data, std::span<std::uint8_t> out)
{
    Sha1Context ctx;
    sha1_init(ctx);
    sha1_update(ctx, data);
    sha1_final(out.first<SHA1_DIGEST_BYTES>(), ctx);
}

void sha224_run(std::span<const std::uint8_t> data, std::span<std::uint8_t> out)
{
    sha256_family(SHA224_INITIAL_STATE, data, out.first(28));
}

void sha256_run(std::span<const std::uint8_t> data, std::span<std::uint8_t> out)
{
    sha256_family(SHA256_INITIAL_STATE, data, out.first(SHA256_DIGEST_BYTES));
}

void sha384_run(std::span<const std::uint8_t> data, std::span<std::uint8_t> out)
{
    sha512_digest(data, out.first(SHA384_DIGEST_BYTES), 1);
}

void sha512_run(std::span<const std::uint8_t> data, std::span<std::uint8_t> out)
{
    sha512_digest(data, out.first(SHA512_DIGEST_BYTES), 0);
}

} // namespace

const HashFunction SHA1_HASH = {"SHA-1", 64, SHA1_DIGEST_BYTES, sha1_run};
const HashFunction SHA224_HASH = {"SHA-224", 64, 28, sha224_run};
const HashFunction SHA256_HASH = {"SHA-256", 64, SHA256_DIGEST_BYTES, sha256_run};
const HashFunction SHA384_HASH = {"SHA-384", 128, SHA384_DIGEST_BYTES, sha384_run};
const HashFunction SHA512_HASH = {"SHA-512", 128, SHA512_DIGEST_BYTES, sha512_run};
