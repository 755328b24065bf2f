// openssl_reference_test.cpp: every message length a field can hold around the padding boundaries,
// and the largest, against OpenSSL's libcrypto as an independent implementation.
#ifdef TABRIX_HAVE_OPENSSL

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <vector>

#include "core/catalogue.h"
#include "digest/hash_message.h"
#include "tests/digest/hex.h"

namespace {

struct Reference {
    std::int32_t op;
    const EVP_MD* (*md)();
};

const Reference references[] = {
    {.op = OP_MD5, .md = EVP_md5},       {.op = OP_SHA1, .md = EVP_sha1},     {.op = OP_SHA256, .md = EVP_sha256},
    {.op = OP_SHA384, .md = EVP_sha384}, {.op = OP_SHA512, .md = EVP_sha512},
};

std::string openssl_hex(const EVP_MD* md, std::span<const std::uint8_t> m)
{
    unsigned char out[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    if (EVP_Digest(m.data(), m.size(), out, &n, md, nullptr) != 1)
        return "OpenSSL failed";
    return to_hex(std::span(out, n));
}

TEST(OpenSslReference, EveryLengthTo300And1024)
{
    std::vector<std::size_t> lengths;
    for (std::size_t n = 0; n <= 300; ++n)
        lengths.push_back(n);
    lengths.push_back(1024);

    for (const Reference& r : references) {
        for (std::size_t n : lengths) {
            std::vector<std::uint8_t> m = pattern(n, std::uint32_t(n));
            std::uint8_t out[HASH_MAX_BYTES];
            int length = hash_message(r.op, m, out);
            ASSERT_EQ(length, EVP_MD_get_size(r.md())) << "op " << r.op;
            EXPECT_EQ(to_hex(std::span(out, std::size_t(length))), openssl_hex(r.md(), m))
                << "op " << r.op << ", " << n << " bytes";
        }
    }
}

} // namespace

#endif
