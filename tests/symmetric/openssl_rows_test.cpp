// openssl_rows_test.cpp: each of the 24 block-cipher rows in every mode it allows, against OpenSSL's libcrypto
// as an independent reference (native builds only).
#ifdef TABRIX_HAVE_OPENSSL

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <algorithm>
#include <set>

#include "core/catalogue.h"
#include "tests/symmetric/support.h"

namespace {

Bytes slice(const Bytes& b, std::size_t from, std::size_t count) { return {&b[from], &b[from] + count}; }
Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
Bytes operator^(Bytes a, const Bytes& b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] ^= b[i];
    return a;
}

// One ECB block through EVP; a DES key of 8 or 16 bytes becomes the 24-byte K1 K2 K1 (K2 = K1 for 8).
Bytes evp(bool aes, Bytes key, const Bytes& block, bool encrypt) {
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

// Alg3: ISO/IEC 9797-1 MAC algorithm 3. Whitened: the ANSI X9.24-1999 transform, DES of (x ^ K) under K, ^ K.
enum class Kind { Aes, Des, Alg3, Whitened };

// cipher_key: the key the reference uses when it is not the typed one.
struct RowReference { std::string_view row, field1{}, key{}, cipher_key{}; Kind kind = Kind::Des; };

constexpr const char* KSN1 = "FFFF9876543210E00001";

// Forward rows; each [rev] partner runs too. MK/WK working keys as in rows_test.cpp; DUKPT transaction keys of
// counter 1 from ANSI X9.24-1-2009 Annex A (the single-length MAC key and data response key derived from them).
const RowReference REFERENCES[] = {
    {.row = "AES", .key = "2B7E151628AED2A6ABF7158809CF4F3C", .kind = Kind::Aes},
    {.row = "AES", .key = "8E73B0F7DA0E6452C810F32B809079E562F8EAD2522C6B7B", .kind = Kind::Aes},
    {.row = "AES", .key = "603DEB1015CA71BE2B73AEF0857D77811F352C073B6108D72D9810A30914DFF4", .kind = Kind::Aes},
    {.row = "DES", .key = "133457799BBCDFF1"},
    {.row = "Triple-DES", .key = BDK},
    {.row = "Triple-DES/K24", .key = "0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123"},
    {.row = "Triple-DES MAC (DES / final Triple-DES)", .key = BDK, .kind = Kind::Alg3},
    {.row = "MK/WK DES", .field1 = "12C626AF058B433B", .key = "0123456789ABCDEF", .cipher_key = "FEDCBA9876543210"},
    {.row = "MK/WK Triple-DES", .field1 = "4230EF1CB268495597F4494DD23D8A72", .key = BDK,
     .cipher_key = "89ABCDEF0123456776543210FEDCBA98"},
    {.row = "DUKPT DES PIN", .field1 = KSN1, .key = BDK, .cipher_key = "35FDB4BBAEE6A293", .kind = Kind::Whitened},
    {.row = "DUKPT DES MAC", .field1 = KSN1, .key = BDK, .cipher_key = "35FDB4BBAEE65D6C", .kind = Kind::Whitened},
    {.row = "DUKPT Triple-DES PIN", .field1 = KSN1, .key = BDK, .cipher_key = "042666B49184CF5C68DE9628D0397B36"},
    {.row = "DUKPT Triple-DES Data req/both", .field1 = KSN1, .key = BDK,
     .cipher_key = "448D3F076D8304036A55A3D7E0055A78"},
    {.row = "DUKPT Triple-DES Data resp", .field1 = KSN1, .key = BDK, .cipher_key = "AD7BFC8B06AD3A08A560B4105CF8D9E5"},
    {.row = "DUKPT Triple-DES MAC req/both", .field1 = KSN1, .key = BDK,
     .cipher_key = "042666B4918430A368DE9628D03984C9", .kind = Kind::Alg3},
    {.row = "DUKPT Triple-DES MAC resp", .field1 = KSN1, .key = BDK, .cipher_key = "042666B46E84CFA368DE96282F397BC9",
     .kind = Kind::Alg3},
};

Bytes block(Kind kind, const Bytes& key, const Bytes& in, bool encrypt) {
    if (kind == Kind::Whitened)
        return evp(false, key, in ^ key, encrypt) ^ key;
    return evp(kind == Kind::Aes, kind == Kind::Alg3 ? slice(key, 0, 8) : key, in, encrypt);
}

// ECB, CBC, or the last CBC block as the MAC (padded with ISO/IEC 9797-1 method 2), chained here block by block.
Bytes reference(const RowReference& r, bool reverse, Mode mode, const Bytes& iv, Bytes data) {
    const std::size_t n = r.kind == Kind::Aes ? 16 : 8;
    const Bytes key = from_hex(r.cipher_key.empty() ? r.key : r.cipher_key);
    if (mode == Mode::MacPadded)
        data.push_back(0x80), data.resize((data.size() + n - 1) / n * n);
    Bytes out, chain = iv.empty() ? Bytes(n, 0) : iv;
    for (std::size_t o = 0; o < data.size(); o += n) {
        const Bytes in = slice(data, o, n);
        if (mode == Mode::Ecb)
            chain = Bytes(n, 0);
        const Bytes x = reverse ? block(r.kind, key, in, false) ^ chain : block(r.kind, key, in ^ chain, true);
        out = out + x;
        chain = reverse ? in : x;
    }
    if (mode == Mode::Ecb || mode == Mode::Cbc)
        return out;
    if (r.kind == Kind::Alg3) // the last block then deciphered under K2 and enciphered under K1
        chain = evp(false, slice(key, 0, 8), evp(false, slice(key, 8, 8), chain, false), true);
    return chain;
}

std::uint32_t flags(std::string_view row) { // 0 for a row that does not exist
    const auto it = std::find_if(catalogue.begin(), catalogue.end(), [&](auto& e) { return e.name && e.name == row; });
    return it == catalogue.end() ? 0 : it->flags;
}

Bytes pattern(std::size_t count, int seed) {
    Bytes out(count);
    std::generate(out.begin(), out.end(), [&] { return static_cast<std::uint8_t>(seed += 37); });
    return out;
}

// Several blocks and a single block, with and without an Initial Value; padded MACs also of partial and empty data.
TEST_F(SymmetricRows, EveryRowInEveryAllowedModeMatchesOpenssl) {
    std::set<std::string> rows;
    for (const auto& r : REFERENCES) {
        const std::size_t n = r.kind == Kind::Aes ? 16 : 8;
        for (const std::string& row : {std::string(r.row), std::string(r.row) + " [rev]"})
            for (Mode mode : {Mode::Ecb, Mode::Cbc, Mode::Mac, Mode::MacPadded})
                for (std::size_t length : {5 * n, n, 3 * n + 5, std::size_t{0}})
                    for (const Bytes& iv : {Bytes{}, pattern(n, 99)}) {
                        if (!(flags(row) & (mode == Mode::Ecb ? OPF_ECB : mode == Mode::Cbc ? OPF_CBC : OPF_MAC)) ||
                            (mode != Mode::MacPadded && (length % n != 0 || length == 0)))
                            continue;
                        rows.insert(row);
                        const Bytes data = pattern(length, static_cast<int>(length));
                        EXPECT_EQ(run_row(row, mode, to_hex(data), r.field1, r.key, to_hex(iv)),
                                  to_hex(reference(r, row != r.row, mode, iv, data)))
                            << row << " in " << mode_name(mode) << ", data " << to_hex(data) << ", IV " << to_hex(iv);
                        EXPECT_EQ(last_message(), "") << row;
                    }
    }
    EXPECT_EQ(rows.size(), 24u);
}

} // namespace

#endif
