// rsa_test_support.h: helpers shared by the RSA tests: hexadecimal text, mbedTLS numbers as references,
// random sources whose draws are known, and the check of an error box on the fake window.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include <mbedtls/bignum.h>

#include "rsa/fixed_num.h"
#include "rsa/random_source.h"
#include "tests/support/workbench.h"

using Bytes = std::vector<std::uint8_t>;

inline Bytes from_hex(std::string_view hex) {
    const std::string bytes = hex_bytes(hex);
    return Bytes(bytes.begin(), bytes.end());
}
inline std::string to_hex(const Bytes& bytes) {
    std::string out;
    for (std::uint8_t b : bytes)
        out += {"0123456789ABCDEF"[b >> 4], "0123456789ABCDEF"[b & 15]};
    return out;
}
// n digits as upper-case hexadecimal, most significant first.
inline std::string digits_hex(const Digit* a, int n) {
    std::string out;
    char buffer[9];
    for (int i = n - 1; i >= 0; --i) {
        std::snprintf(buffer, sizeof buffer, "%08X", a[i]);
        out += buffer;
    }
    return out;
}

// A released-on-exit mbedTLS number.
struct TestMpi {
    mbedtls_mpi v;
    TestMpi() { mbedtls_mpi_init(&v); }
    explicit TestMpi(std::string_view hex) : TestMpi() { mbedtls_mpi_read_string(&v, 16, std::string(hex).c_str()); }
    ~TestMpi() { mbedtls_mpi_free(&v); }
    TestMpi(const TestMpi&) = delete;
    mbedtls_mpi* operator&() { return &v; }
    // The value as big-endian bytes in hexadecimal, zero-padded to `bytes` bytes.
    std::string hex(std::size_t bytes) const {
        Bytes out(bytes);
        return mbedtls_mpi_write_binary(&v, out.data(), bytes) == 0 ? to_hex(out) : "(does not fit)";
    }
};

// A random source that replays a list of bytes (then zeros) and counts its draws.
struct ScriptedDraws {
    Bytes bytes;
    std::size_t draws = 0;
    RandomSource source() { return {draw, this}; }
    static std::int32_t draw(void* state) {
        auto* self = static_cast<ScriptedDraws*>(state);
        const std::size_t i = self->draws++;
        return i < self->bytes.size() ? self->bytes[i] : 0;
    }
};

// A reproducible random source (xorshift) that counts its draws.
struct CountingDraws {
    std::uint32_t x = 2463534242u;
    std::size_t draws = 0;
    RandomSource source() { return {draw, this}; }
    static std::int32_t draw(void* state) {
        auto* self = static_cast<CountingDraws*>(state);
        ++self->draws;
        self->x ^= self->x << 13, self->x ^= self->x >> 17, self->x ^= self->x << 5;
        return static_cast<std::int32_t>(self->x);
    }
};

// The fake window, with a clean run and the check that it showed exactly one error box.
class RsaBench : public Workbench {
protected:
    void run_clean(std::string_view f0, std::string_view f1, std::string_view f2 = {}) {
        w.messages.clear();
        w.focus = w.selected_all = 0;
        run_with(f0, f1, f2);
    }
    // One "Ooops!" box with this text and the error icon; field `focus` (none when -1) selected and
    // focused; no output.
    void expect_error(const std::string& what, const std::string& message, int focus) {
        const int id = focus < 0 ? 0 : field_edit_id[focus];
        ASSERT_EQ(w.messages.size(), 1u) << what << ": " << last_message();
        EXPECT_EQ(w.messages[0].text, message) << what;
        EXPECT_EQ(w.messages[0].caption, "Ooops!") << what;
        EXPECT_EQ(w.messages[0].icon, MessageIcon::Error) << what;
        EXPECT_EQ(w.selected_all, id) << what;
        EXPECT_EQ(w.focus, id) << what;
        EXPECT_EQ(output(), "") << what;
    }
};
