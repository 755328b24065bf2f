// fuzz_driver.h: what the fuzz targets share: reading the fuzzer's bytes, driving the fake window,
// and stopping loudly when an invariant breaks.
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
    // Text up to the next 0xFF byte (or the end), at most max bytes, NUL bytes dropped as an edit would.
    std::string text(std::size_t max);
    std::string rest(std::size_t max);

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Zeroes the workbench state and opens the main window on the fake.
void open_window(FakeWindow& w);
void choose_row(FakeWindow& w, int row);
void type_text(FakeWindow& w, int field, std::string_view text);
void set_box(FakeWindow& w, int control_id, bool ticked);
// Presses GO! and fires the timer.
void press_go(FakeWindow& w);

// The text of a hexadecimal field once the codec has cleaned it: its digits, upper case.
std::string cleaned_hex(std::string_view text);

[[noreturn]] void invariant_broken(const char* what, const std::string& detail = "");
#define FUZZ_CHECK(cond, detail) \
    do { if (!(cond)) invariant_broken(#cond, (detail)); } while (0)
