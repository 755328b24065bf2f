// fuzz_driver.h: what the fuzz targets share: reading the fuzzer's bytes, the user's actions on the fake
// window (tests/support/fake_window.h), and stopping loudly when an invariant breaks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/support/fake_window.h"

// Reads the fuzzer's input front to back; past the end every read gives 0 or an empty text.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    // Text up to the next 0xFF byte (with stop) or the end, at most max bytes, NUL bytes dropped as an edit would.
    std::string text(std::size_t max, bool stop = true);
    std::string rest(std::size_t max) { return text(max, false); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// The text of a hexadecimal field once the codec has cleaned it: its digits, upper case.
std::string cleaned_hex(std::string_view text);

[[noreturn]] void invariant_broken(const char* what, const std::string& detail = "");
#define FUZZ_CHECK(cond, detail) \
    do { if (!(cond)) invariant_broken(#cond, (detail)); } while (0)
