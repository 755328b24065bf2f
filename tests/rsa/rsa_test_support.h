// rsa_test_support.h: helpers shared by the RSA tests: hexadecimal text, mbedTLS numbers as references,
// a random source whose draws are known, and the check of an error box on the fake window.
#pragma once

#include <string>

#include <mbedtls/bignum.h>

#include "rsa/fixed_num.h"
#include "rsa/random_source.h"
#include "tests/support/workbench.h"

using Bytes = std::vector<std::uint8_t>;

inline std::string to_hex(const Bytes& bytes) {
    std::string out;
    for (std::uint8_t b : bytes)
        out += {"0123456789ABCDEF"[b >> 4], "0123456789ABCDEF"[b & 15]};
    return out;
}
// n digits as upper-case hexadecimal, most significant first.
inline std::string digits_hex(const Digit* a, int n) {
    std::string out;
    for (int i = 8 * n; i-- > 0;)
        out += "0123456789ABCDEF"[a[i / 8] >> 4 * (i % 8) & 15];
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
struct Draws {
    Bytes bytes = {};
    std::size_t draws = 0;
    RandomSource source() { return {draw, this}; }
    static std::int32_t draw(void* state) {
        auto* self = static_cast<Draws*>(state);
        const std::size_t i = self->draws++;
        return i < self->bytes.size() ? self->bytes[i] : 0;
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
        EXPECT_EQ(std::pair(w.selected_all, w.focus), std::pair(id, id)) << what << ": selected and focused";
        EXPECT_EQ(output(), "") << what;
    }
};
