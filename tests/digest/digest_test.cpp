// digest_test.cpp: CRC16, the hashes, XOR and the parity adjustments through GO!, family by family from
// tests/data; the hashes at every length against OpenSSL's libcrypto.
#include "digest/hash_message.h"
#include "tests/support/cases.h"

#ifdef TABRIX_HAVE_OPENSSL
#include <openssl/evp.h>
#endif

namespace {

class Digest : public RowCases, public ::testing::WithParamInterface<const char*> {};

// Row cases; a million_a case hashes one million times "a" directly, too long for a field.
TEST_P(Digest, Cases)
{
    for (const Json& c : read_cases(GetParam())) {
        if (!c.contains("million_a")) {
            check(c);
            continue;
        }
        const Bytes m(1000000, 'a');
        std::uint8_t out[HASH_MAX_BYTES];
        const int n = hash_message(catalogue[row_index(c["row"].get<std::string>())].id, m, out);
        EXPECT_EQ(to_hex(out, n), c["million_a"].get<std::string>()) << c["row"];
    }
}

INSTANTIATE_TEST_SUITE_P(Families, Digest, ::testing::Values("digest", "xor_parity"));

#ifdef TABRIX_HAVE_OPENSSL
// n bytes that run through every byte value.
Bytes message(std::size_t n)
{
    Bytes m(n);
    for (std::size_t i = 0; i < n; ++i)
        m[i] = std::uint8_t(i * 167 + n);
    return m;
}

// Every length around the padding boundaries, and the largest a field holds.
TEST_F(Workbench, EveryHashAtEveryLengthAgainstOpenSsl)
{
    const std::pair<const char*, const EVP_MD* (*)()> references[] = {
        {"MD5", EVP_md5}, {"SHA-1", EVP_sha1}, {"SHA-256", EVP_sha256}, {"SHA-384", EVP_sha384}, {"SHA-512", EVP_sha512},
    };
    for (auto [row, md] : references) {
        choose(row);
        for (std::size_t n = 0; n <= 301; ++n) {
            const Bytes m = message(n <= 300 ? n : 1024);
            run_with(to_hex(m));
            unsigned char out[EVP_MAX_MD_SIZE];
            unsigned int size = 0;
            ASSERT_EQ(EVP_Digest(m.data(), m.size(), out, &size, md(), nullptr), 1);
            EXPECT_EQ(output(), to_hex(out, size)) << row << ", " << m.size() << " bytes";
        }
    }
    EXPECT_EQ(last_message(), "");
}
#endif

} // namespace
