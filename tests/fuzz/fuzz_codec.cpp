// fuzz_codec.cpp: any text into any field, either mode, any size rule. The stored length stays within
// the buffer, no other buffer is touched, the text is rewritten only on success, and a rewritten text
// parses again to the same bytes.
#include <cstring>

#include "core/catalogue.h"
#include "core/field.h"
#include "tests/fuzz/fuzz_driver.h"

namespace {

constexpr int SIZE_RULES[] = {0, 1, 3, 8, 16, 1024, 1025, -1, -8, -10, -16, -24, -1024, -1025};

std::string bytes_of(const FieldBuffer& b) { return {reinterpret_cast<const char*>(b.data), static_cast<std::size_t>(b.length)}; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::uint8_t how = in.byte();
    const int field = how % 4;
    const bool ascii = (how >> 2) & 1;
    const int strict = (how >> 3) & 1;
    const int size_rule = SIZE_RULES[in.byte() % std::size(SIZE_RULES)];
    const std::string text = in.rest(FIELD_MAX_TEXT);

    static FakeWindow w; // opened once: the codec reads and writes only the field edits, boxes and buffers
    static const bool opened = (open_window(w), true);
    (void)opened;
    w.messages.clear();
    w.focus = w.selected_all = 0;
    for (FieldBuffer& b : g_field) {
        std::memset(b.data, 0xA5, sizeof b.data);
        b.length = 777;
    }
    const int edit = field_edit_id[field];
    w[edit].text = text;
    w[field_ascii_id[field]].checked = ascii;

    const int ok = field_load(field, size_rule, strict);
    const FieldBuffer& buffer = g_field[field];
    FUZZ_CHECK(buffer.length >= 0 && buffer.length <= FIELD_MAX_BYTES, std::to_string(buffer.length));
    for (int i = 0; i < FIELD_COUNT; ++i) {
        if (i == field)
            continue;
        FUZZ_CHECK(g_field[i].length == 777, "another buffer's length changed");
        for (std::uint8_t b : g_field[i].data)
            FUZZ_CHECK(b == 0xA5, "another buffer's data changed");
    }
    FUZZ_CHECK(!w[field_counter_id[field]].text.empty(), "counter not set");

    if (!ok || !strict) {
        FUZZ_CHECK(w[edit].text == text, "text rewritten without a successful strict load");
        FUZZ_CHECK(ok || (w.messages.size() == 1 && w.messages[0].text == "Invalid field size!"), "no message");
        FUZZ_CHECK(ok || w.focus == edit, "failing field not focused");
        return 0;
    }

    FUZZ_CHECK(w.messages.empty(), "message after success");
    if (ascii) {
        FUZZ_CHECK(w[edit].text == text, "ASCII text rewritten");
        FUZZ_CHECK(bytes_of(buffer) == text, "ASCII bytes differ from the text");
        return 0;
    }
    FUZZ_CHECK(w[edit].text == cleaned_hex(text), "rewritten text is not the cleaned digits");

    // The rewritten text parses again to the same bytes.
    const std::string first = bytes_of(buffer);
    FUZZ_CHECK(field_load(field, size_rule, 1) == 1, "rewritten text refused");
    FUZZ_CHECK(bytes_of(g_field[field]) == first, "rewritten text parses to other bytes");
    return 0;
}
