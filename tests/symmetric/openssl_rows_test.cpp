// openssl_rows_test.cpp: every symmetric and PIN row in each mode it allows, against OpenSSL's libcrypto
// as an independent reference (native builds only).
#ifdef TABRIX_HAVE_OPENSSL

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <string>
#include <vector>

#include "core/catalogue.h"
#include "tests/symmetric/support.h"
#include "tests/symmetric/support.h"

namespace {

enum class Cipher { Aes, Des, TripleDes2, TripleDes3, MacAlgorithm3, Whitened };

// One EVP pass without padding; single DES is Triple-DES with K1 = K2 = K3.
Bytes evp(const EVP_CIPHER* cipher, const Bytes& key, const Bytes& iv, const Bytes& data, bool encrypt) {
    Bytes out(data.size() + 32);
    int written = 0, final_written = 0;
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    EVP_CipherInit_ex(ctx, cipher, nullptr, key.data(), iv.empty() ? nullptr : iv.data(), encrypt ? 1 : 0);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    if (!data.empty())
        EVP_CipherUpdate(ctx, out.data(), &written, data.data(), static_cast<int>(data.size()));
    EVP_CipherFinal_ex(ctx, out.data() + written, &final_written);
    EVP_CIPHER_CTX_free(ctx);
    out.resize(static_cast<std::size_t>(written + final_written));
    return out;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes slice(const Bytes& b, std::size_t from, std::size_t count) {
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from), b.begin() + static_cast<std::ptrdiff_t>(from + count));
}

// The 24-byte EDE key OpenSSL takes for a DES, two-key or three-key cipher key.
Bytes ede3_key(Cipher cipher, const Bytes& key) {
    const Bytes k1 = slice(key, 0, 8);
    if (cipher == Cipher::Des || cipher == Cipher::Whitened)
        return concat({k1, k1, k1});
    if (cipher == Cipher::TripleDes3)
        return key;
    return concat({k1, slice(key, 8, 8), k1});
}

const EVP_CIPHER* evp_cipher(Cipher cipher, std::size_t key_bytes, bool cbc) {
    if (cipher == Cipher::Aes) {
        if (key_bytes == 16)
            return cbc ? EVP_aes_128_cbc() : EVP_aes_128_ecb();
        if (key_bytes == 24)
            return cbc ? EVP_aes_192_cbc() : EVP_aes_192_ecb();
        return cbc ? EVP_aes_256_cbc() : EVP_aes_256_ecb();
    }
    return cbc ? EVP_des_ede3_cbc() : EVP_des_ede3_ecb();
}

Bytes xor_bytes(Bytes a, const Bytes& b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] ^= b[i];
    return a;
}

// DES of (x ^ K) under K, then ^ K, one block through OpenSSL.
Bytes whitened(const Bytes& key, const Bytes& block, bool encrypt) {
    return xor_bytes(evp(EVP_des_ede3_ecb(), ede3_key(Cipher::Des, key), {}, xor_bytes(block, key), encrypt), key);
}

Bytes whitened_chain(const Bytes& key, const Bytes& iv, const Bytes& data, bool cbc, bool encrypt) {
    Bytes out, previous = iv;
    for (std::size_t o = 0; o < data.size(); o += 8) {
        const Bytes in = slice(data, o, 8);
        Bytes result;
        if (encrypt) {
            result = whitened(key, cbc ? xor_bytes(in, previous) : in, true);
            previous = result;
        } else {
            result = whitened(key, in, false);
            if (cbc)
                result = xor_bytes(result, previous);
            previous = in;
        }
        out.insert(out.end(), result.begin(), result.end());
    }
    return out;
}

// ISO/IEC 9797-1 padding method 2.
Bytes pad_method_2(Bytes data, std::size_t block) {
    data.push_back(0x80);
    while (data.size() % block)
        data.push_back(0);
    return data;
}

Bytes reference(Cipher cipher, const Bytes& key, const Bytes& iv_field, const Bytes& data_field, Mode mode,
                bool reverse) {
    const std::size_t block = cipher == Cipher::Aes ? 16 : 8;
    const Bytes iv = iv_field.empty() ? Bytes(block, 0) : iv_field;
    const bool mac = mode == Mode::Mac || mode == Mode::MacPadded;
    const Bytes data = mode == Mode::MacPadded ? pad_method_2(data_field, block) : data_field;
    const bool cbc = mode != Mode::Ecb;

    Bytes out;
    if (cipher == Cipher::Whitened) {
        out = whitened_chain(key, iv, data, cbc, !reverse);
    } else if (cipher == Cipher::MacAlgorithm3) {
        // Single-DES CBC under K1, the last block then D(K2), E(K1).
        out = evp(EVP_des_ede3_cbc(), ede3_key(Cipher::Des, key), iv, data, true);
        if (!out.empty()) {
            const Bytes last = slice(out, out.size() - 8, 8);
            const Bytes k2 = slice(key, 8, 8);
            const Bytes final_block =
                evp(EVP_des_ede3_ecb(), ede3_key(Cipher::Des, key), {},
                    evp(EVP_des_ede3_ecb(), ede3_key(Cipher::Des, k2), {}, last, false), true);
            std::copy(final_block.begin(), final_block.end(), out.end() - 8);
        }
    } else {
        const Bytes evp_key = cipher == Cipher::Aes ? key : ede3_key(cipher, key);
        out = evp(evp_cipher(cipher, key.size(), cbc), evp_key, cbc ? iv : Bytes{}, data, !reverse);
    }
    if (mac && out.size() > block)
        out = slice(out, out.size() - block, block);
    return out;
}

// The working key of an MK/WK row: field 1 deciphered under the master key, block by block.
Bytes working_key(const Bytes& master, const Bytes& encrypted) {
    const Cipher c = master.size() == 8 ? Cipher::Des : Cipher::TripleDes2;
    return evp(EVP_des_ede3_ecb(), ede3_key(c, master), {}, encrypted, false);
}

// The Triple-DES data-response key of ANSI X9.24-2009 from a published key register.
Bytes data_response_key(const Bytes& key_register) {
    const Bytes mask = from_hex("000000FF00000000000000FF00000000");
    const Bytes variant = xor_bytes(key_register, mask);
    return evp(EVP_des_ede3_ecb(), ede3_key(Cipher::TripleDes2, variant), {}, variant, true);
}

constexpr const char* BDK = "0123456789ABCDEFFEDCBA9876543210";
constexpr const char* KSN1 = "FFFF9876543210E00001";

struct RowReference {
    const char* row;
    Cipher cipher;
    const char* field1;
    const char* key;         // typed in field 2
    const char* cipher_key;  // the key the reference runs with; nullptr: the typed key, "" : the MK/WK working key
};

// ANSI X9.24-1-2009 Annex A transaction keys of counter 1 (the single-length MAC key is the
// published PIN key with the PIN variant undone and the MAC variant applied).
const RowReference ROW_REFERENCES[] = {
    {.row = "AES", .cipher = Cipher::Aes, .field1 = "", .key = "2B7E151628AED2A6ABF7158809CF4F3C", .cipher_key = nullptr},
    {.row = "AES", .cipher = Cipher::Aes, .field1 = "", .key = "8E73B0F7DA0E6452C810F32B809079E562F8EAD2522C6B7B",
     .cipher_key = nullptr},
    {.row = "AES", .cipher = Cipher::Aes, .field1 = "",
     .key = "603DEB1015CA71BE2B73AEF0857D77811F352C073B6108D72D9810A30914DFF4", .cipher_key = nullptr},
    {.row = "AES [rev]", .cipher = Cipher::Aes, .field1 = "", .key = "2B7E151628AED2A6ABF7158809CF4F3C",
     .cipher_key = nullptr},
    {.row = "AES [rev]", .cipher = Cipher::Aes, .field1 = "", .key = "8E73B0F7DA0E6452C810F32B809079E562F8EAD2522C6B7B",
     .cipher_key = nullptr},
    {.row = "AES [rev]", .cipher = Cipher::Aes, .field1 = "",
     .key = "603DEB1015CA71BE2B73AEF0857D77811F352C073B6108D72D9810A30914DFF4", .cipher_key = nullptr},
    {.row = "DES", .cipher = Cipher::Des, .field1 = "", .key = "133457799BBCDFF1", .cipher_key = nullptr},
    {.row = "DES [rev]", .cipher = Cipher::Des, .field1 = "", .key = "133457799BBCDFF1", .cipher_key = nullptr},
    {.row = "Triple-DES", .cipher = Cipher::TripleDes2, .field1 = "", .key = BDK, .cipher_key = nullptr},
    {.row = "Triple-DES [rev]", .cipher = Cipher::TripleDes2, .field1 = "", .key = BDK, .cipher_key = nullptr},
    {.row = "Triple-DES/K24", .cipher = Cipher::TripleDes3, .field1 = "",
     .key = "0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123", .cipher_key = nullptr},
    {.row = "Triple-DES/K24 [rev]", .cipher = Cipher::TripleDes3, .field1 = "",
     .key = "0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123", .cipher_key = nullptr},
    {.row = "Triple-DES MAC (DES / final Triple-DES)", .cipher = Cipher::MacAlgorithm3, .field1 = "", .key = BDK,
     .cipher_key = nullptr},
    {.row = "MK/WK DES", .cipher = Cipher::Des, .field1 = "5A1B2C3D4E5F6071", .key = "133457799BBCDFF1",
     .cipher_key = ""},
    {.row = "MK/WK DES [rev]", .cipher = Cipher::Des, .field1 = "5A1B2C3D4E5F6071", .key = "133457799BBCDFF1",
     .cipher_key = ""},
    {.row = "MK/WK Triple-DES", .cipher = Cipher::TripleDes2, .field1 = "00112233445566778899AABBCCDDEEFF",
     .key = BDK, .cipher_key = ""},
    {.row = "MK/WK Triple-DES [rev]", .cipher = Cipher::TripleDes2, .field1 = "00112233445566778899AABBCCDDEEFF",
     .key = BDK, .cipher_key = ""},
    {.row = "DUKPT DES PIN", .cipher = Cipher::Whitened, .field1 = KSN1, .key = BDK, .cipher_key = "35FDB4BBAEE6A293"},
    {.row = "DUKPT DES PIN [rev]", .cipher = Cipher::Whitened, .field1 = KSN1, .key = BDK,
     .cipher_key = "35FDB4BBAEE6A293"},
    {.row = "DUKPT DES MAC", .cipher = Cipher::Whitened, .field1 = KSN1, .key = BDK, .cipher_key = "35FDB4BBAEE65D6C"},
    {.row = "DUKPT Triple-DES PIN", .cipher = Cipher::TripleDes2, .field1 = KSN1, .key = BDK,
     .cipher_key = "042666B49184CF5C68DE9628D0397B36"},
    {.row = "DUKPT Triple-DES PIN [rev]", .cipher = Cipher::TripleDes2, .field1 = KSN1, .key = BDK,
     .cipher_key = "042666B49184CF5C68DE9628D0397B36"},
    {.row = "DUKPT Triple-DES Data req/both", .cipher = Cipher::TripleDes2, .field1 = KSN1, .key = BDK,
     .cipher_key = "448D3F076D8304036A55A3D7E0055A78"},
    {.row = "DUKPT Triple-DES Data req/both [rev]", .cipher = Cipher::TripleDes2, .field1 = KSN1, .key = BDK,
     .cipher_key = "448D3F076D8304036A55A3D7E0055A78"},
    {.row = "DUKPT Triple-DES Data resp", .cipher = Cipher::TripleDes2, .field1 = KSN1, .key = BDK,
     .cipher_key = "response"},
    {.row = "DUKPT Triple-DES Data resp [rev]", .cipher = Cipher::TripleDes2, .field1 = KSN1, .key = BDK,
     .cipher_key = "response"},
    {.row = "DUKPT Triple-DES MAC req/both", .cipher = Cipher::MacAlgorithm3, .field1 = KSN1, .key = BDK,
     .cipher_key = "042666B4918430A368DE9628D03984C9"},
    {.row = "DUKPT Triple-DES MAC resp", .cipher = Cipher::MacAlgorithm3, .field1 = KSN1, .key = BDK,
     .cipher_key = "042666B46E84CFA368DE96282F397BC9"},
};

// ANSI X9.24-1-2009 Annex A key register of counter 1.
constexpr const char* KEY_REGISTER_1 = "042666B49184CFA368DE9628D0397BC9";

Bytes reference_key(const RowReference& r) {
    if (!r.cipher_key)
        return from_hex(r.key);
    if (std::string_view(r.cipher_key).empty())
        return working_key(from_hex(r.key), from_hex(r.field1));
    if (std::string_view(r.cipher_key) == "response")
        return data_response_key(from_hex(KEY_REGISTER_1));
    return from_hex(r.cipher_key);
}

std::vector<Mode> allowed_modes(std::string_view row) {
    std::vector<Mode> modes;
    std::uint32_t flags = 0;
    for (const OperationRow& entry : catalogue)
        if (entry.name && entry.name == row)
            flags = entry.flags;
    if (flags & OPF_ECB)
        modes.push_back(Mode::Ecb);
    if (flags & OPF_CBC)
        modes.push_back(Mode::Cbc);
    if (flags & OPF_MAC) {
        modes.push_back(Mode::Mac);
        modes.push_back(Mode::MacPadded);
    }
    return modes;
}

Bytes pattern(std::size_t count, int seed) {
    Bytes out(count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<std::uint8_t>(seed + 37 * i + (i >> 3));
    return out;
}

using OpensslRows = SymmetricRows;

TEST_F(OpensslRows, EveryRowInEveryAllowedModeMatchesTheReference) {
    int runs = 0;
    for (const auto& r : ROW_REFERENCES) {
        const bool reverse = std::string_view(r.row).find("[rev]") != std::string_view::npos;
        const std::size_t block = r.cipher == Cipher::Aes ? 16 : 8;
        const Bytes key = reference_key(r);
        for (Mode mode : allowed_modes(r.row)) {
            // Several blocks, a single block, and (padded MAC only) partial and empty data.
            std::vector<Bytes> inputs = {pattern(5 * block, 3), pattern(block, 11)};
            if (mode == Mode::MacPadded) {
                inputs.push_back(pattern(3 * block + 5, 7));
                inputs.push_back({});
            }
            for (const Bytes& data : inputs) {
                for (const Bytes& iv : {Bytes{}, pattern(block, 99)}) {
                    const std::string got = run_row(r.row, mode, to_hex(data), r.field1, r.key, to_hex(iv));
                    EXPECT_EQ(got, to_hex(reference(r.cipher, key, iv, data, mode, reverse)))
                        << r.row << " in " << mode_name(mode) << ", key " << r.key << ", data " << to_hex(data)
                        << ", IV " << to_hex(iv);
                    EXPECT_TRUE(w.messages.empty()) << r.row << ": " << last_message();
                    ++runs;
                }
            }
        }
    }
    EXPECT_GT(runs, 200);
}

// Single DES and two-key Triple-DES of random blocks under random keys, against OpenSSL.
TEST_F(OpensslRows, TwoKeyTripleDesAndDesOverManyKeys) {
    for (int seed = 0; seed < 64; ++seed) {
        const Bytes key16 = pattern(16, seed * 7 + 1), data = pattern(16, seed * 13 + 5);
        EXPECT_EQ(run_row("Triple-DES", Mode::Ecb, to_hex(data), "", to_hex(key16)),
                  to_hex(evp(EVP_des_ede3_ecb(), ede3_key(Cipher::TripleDes2, key16), {}, data, true)))
            << "key " << to_hex(key16);
        const Bytes key8 = slice(key16, 0, 8);
        EXPECT_EQ(run_row("DES [rev]", Mode::Ecb, to_hex(data), "", to_hex(key8)),
                  to_hex(evp(EVP_des_ede3_ecb(), ede3_key(Cipher::Des, key8), {}, data, false)))
            << "key " << to_hex(key8);
    }
}

} // namespace

#endif
