// openssl_rows_test.cpp: each of the 24 block-cipher rows in every mode it allows, against OpenSSL's libcrypto
// as an independent reference (native builds only), with the keys of tests/data/openssl_rows.jsonl.
#ifdef TABRIX_HAVE_OPENSSL

#include <openssl/evp.h>

#include <algorithm>

#include "tests/support/cases.h"
#include "tests/symmetric/support.h"

namespace {

Bytes slice(const Bytes& b, std::size_t from, std::size_t count) { return {&b[from], &b[from] + count}; }
Bytes operator+(Bytes a, const Bytes& b) { return a.insert(a.end(), b.begin(), b.end()), a; }
Bytes operator^(Bytes a, const Bytes& b)
{
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] ^= b[i];
    return a;
}

// One ECB block through EVP; a DES key of 8 or 16 bytes becomes the 24-byte K1 K2 K1 (K2 = K1 for 8).
Bytes evp(bool aes, Bytes key, const Bytes& block, bool encrypt)
{
    if (!aes && key.size() < 24)
        key = key.size() == 8 ? key + key + key : key + slice(key, 0, 8);
    const std::string name = aes ? "aes-" + std::to_string(key.size() * 8) + "-ecb" : "des-ede3";
    Bytes out(block.size());
    int written = 0;
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    EVP_CipherInit_ex(ctx, EVP_get_cipherbyname(name.c_str()), nullptr, key.data(), nullptr, encrypt ? 1 : 0);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    EVP_CipherUpdate(ctx, out.data(), &written, block.data(), static_cast<int>(block.size()));
    EVP_CIPHER_CTX_free(ctx);
    return out;
}

Bytes block(const std::string& kind, const Bytes& key, const Bytes& in, bool encrypt)
{
    if (kind == "whitened")
        return evp(false, key, in ^ key, encrypt) ^ key;
    return evp(kind == "aes", kind == "alg3" ? slice(key, 0, 8) : key, in, encrypt);
}


// ECB, CBC, or the last CBC block as the MAC (padded with ISO/IEC 9797-1 method 2), chained here block by block.
Bytes reference(const Json& r, bool reverse, Mode mode, const Bytes& iv, Bytes data)
{
    const std::string kind = r.value("kind", "des");
    const std::size_t n = kind == "aes" ? 16 : 8;
    const Bytes key = from_hex(r.value("cipher_key", r["key"].get<std::string>()));
    if (mode == Mode::MacPadded)
        data.push_back(0x80), data.resize((data.size() + n - 1) / n * n);
    Bytes out, chain = iv.empty() || mode == Mode::Ecb ? Bytes(n, 0) : iv;
    for (std::size_t o = 0; o < data.size(); o += n) {
        const Bytes in = slice(data, o, n);
        const Bytes x = reverse ? block(kind, key, in, false) ^ chain : block(kind, key, in ^ chain, true);
        out = out + x;
        chain = mode == Mode::Ecb ? Bytes(n, 0) : reverse ? in : x;
    }
    if (mode == Mode::Ecb || mode == Mode::Cbc)
        return out;
    if (kind == "alg3") // the last block then deciphered under K2 and enciphered under K1
        chain = evp(false, slice(key, 0, 8), evp(false, slice(key, 8, 8), chain, false), true);
    return chain;
}

Bytes pattern(std::size_t count, int seed)
{
    Bytes out(count);
    std::generate(out.begin(), out.end(), [&] { return static_cast<std::uint8_t>(seed += 37); });
    return out;
}

// Several blocks and a single block, with and without an Initial Value; padded MACs also of partial and empty data.
TEST_F(SymmetricRows, EveryBlockCipherRowInEveryAllowedModeMatchesOpenssl)
{
    for (const Json& r : read_cases("openssl_rows")) {
        const std::size_t n = r.value("kind", "") == "aes" ? 16 : 8;
        for (const std::string& row : {r["row"].get<std::string>(), r["row"].get<std::string>() + " [rev]"}) {
            const auto it = std::find_if(catalogue.begin(), catalogue.end() - 1, [&](auto& e) { return row == e.name; });
            const std::uint32_t flags = it == catalogue.end() - 1 ? 0 : it->flags; // 0: no such row
            for (Mode mode : {Mode::Ecb, Mode::Cbc, Mode::Mac, Mode::MacPadded})
                for (std::size_t length : {5 * n, n, 3 * n + 5, std::size_t{0}})
                    for (const Bytes& iv : {Bytes{}, pattern(n, 99)}) {
                        if (!(flags & (mode == Mode::Ecb ? OPF_ECB : mode == Mode::Cbc ? OPF_CBC : OPF_MAC)) ||
                            (mode != Mode::MacPadded && (length % n != 0 || length == 0)))
                            continue;
                        const Bytes data = pattern(length, static_cast<int>(length));
                        EXPECT_EQ(run_row(row, mode, to_hex(data), r.value("field1", ""), r["key"].get<std::string>(), to_hex(iv)),
                                  to_hex(reference(r, row != r["row"], mode, iv, data)))
                            << row << " in " << mode_name(mode) << ", data " << to_hex(data) << ", IV " << to_hex(iv);
                        EXPECT_EQ(last_message(), "") << row;
                    }
        }
    }
}

} // namespace

#endif
