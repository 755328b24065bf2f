// fuzz_go.cpp: the whole GO! path through the fake window: any row, block mode, Padding, "Use IPEK" and
// ASCII boxes, any field texts. No crash and no hang; a failed run leaves every output empty (but the clear
// block a PIN translation refused) and the text of every field either as typed or in its cleaned form; a
// successful ECB or CBC run of a block-cipher row followed by its "[rev]" row gives the data back.
#include <algorithm>

#include "core/catalogue.h"
#include "core/controller.h"
#include "core/field.h"
#include "core/handlers.h"
#include "tests/fuzz/fuzz_driver.h"
#include "translate/handlers.h"

namespace {

constexpr int MODES[] = {IDC_RADIO_ECB, IDC_RADIO_CBC, IDC_RADIO_MAC};

// Key generation of large keys takes seconds: only sizes up to 48 bytes are run.
bool too_slow()
{
    const FieldBuffer& size = g_field[0];
    if (selected_row().handler != rsa_keygen_handler || !field_load(0, 0, 0) || size.length < 1 || size.length > 3)
        return false;
    std::uint32_t k = 0;
    for (int i = 0; i < size.length; ++i)
        k = k << 8 | size.data[i];
    return k > 48;
}


} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    static FakeWindow w; // opened once and reset for each input, as a batch runs its cases
    static const bool opened = (open_window(w), true);
    (void)opened;
    reset_form(w);
    w.cursor_history.clear();

    const int row = in.byte() % (CATALOGUE_ROWS - 1);
    const std::uint8_t boxes = in.byte();
    choose_row(w, row);
    const OperationRow& r = catalogue[static_cast<std::size_t>(row)];
    if (const int mode = MODES[(boxes & 3) % 3]; w[IDC_RADIO_ECB].visible && w[mode].enabled)
        select_mode(w, mode);
    if (w[IDC_PADDING].enabled)
        set_box(w, IDC_PADDING, boxes & 4);
    if (w[IDC_USE_IPEK].visible)
        set_box(w, IDC_USE_IPEK, boxes & 8);
    const std::uint8_t ascii = in.byte();
    std::string typed[4];
    for (int i = 0; i < 4; ++i) {
        set_box(w, field_ascii_id[i], (ascii >> i) & 1);
        typed[i] = in.text(FIELD_MAX_TEXT);
        type_text(w, i, typed[i]);
    }
    if (too_slow())
        return 0;

    FUZZ_CHECK(press_go(w), "GO! started no timer");
    FUZZ_CHECK(w[IDC_GO].enabled, "GO! not enabled again");
    FUZZ_CHECK(!w.timer, "timer still running");
    for (int i = 0; i < 4; ++i) {
        if (field_is_output(r, i))
            continue;
        const std::string& now = w[field_edit_id[i]].text;
        // A digit field is cleaned to its digits; a text field, or a ticked ASCII box, keeps the text.
        const bool digits = field_holds_digits(r, i), bytes = !digits && !field_holds_text(r, i);
        std::string only_digits;
        for (char c : typed[i])
            if (c >= '0' && c <= '9')
                only_digits.push_back(c);
        FUZZ_CHECK(now == typed[i] || (digits && now == only_digits) ||
                       (bytes && !w[field_ascii_id[i]].checked && now == cleaned_hex(typed[i])),
                   "field " + std::to_string(i) + " changed into something else");
    }
    if (std::any_of(w.messages.begin(), w.messages.end(), [](const FakeMessage& m) { return m.caption == "Ooops!"; })) {
        // A zone-to-zone PIN translation shows the clear block in (field 2) beside the rule it breaks.
        const int shown_on_refusal = r.handler == pin_translate_zone_handler ? 2 : -1;
        for (int i = 1; i < FIELD_COUNT; ++i)
            if (field_is_output(r, i) && i != shown_on_refusal)
                FUZZ_CHECK(w[field_edit_id[i]].text.empty(), "output written by a failed run");
        return 0;
    }

    // A forward block-cipher row in ECB or CBC mode, then its "[rev]" twin, gives the data back.
    const bool chained_or_plain = !w[IDC_RADIO_MAC].checked;
    const bool has_reverse_twin = row + 1 < CATALOGUE_ROWS - 1 && catalogue[row + 1].id == r.id &&
                                  (catalogue[row + 1].flags & OPF_REVERSE) && !(r.flags & OPF_REVERSE);
    if (r.handler != block_cipher_handler || !has_reverse_twin || !chained_or_plain)
        return 0;
    const std::string clear(reinterpret_cast<const char*>(g_field[0].data), static_cast<std::size_t>(g_field[0].length));
    const std::string cipher = w[IDC_EDIT_OUT].text;
    const bool use_ipek = w[IDC_USE_IPEK].checked;
    choose_row(w, row + 1);
    if (use_ipek)
        set_box(w, IDC_USE_IPEK, true);
    set_box(w, IDC_ASCII0, false);
    type_text(w, 0, cipher);
    w.messages.clear();
    FUZZ_CHECK(press_go(w), "GO! started no timer");
    FUZZ_CHECK(w.messages.empty(), "the [rev] row refused what its forward row wrote");
    const std::string back(reinterpret_cast<const char*>(g_field[4].data), static_cast<std::size_t>(g_field[4].length));
    FUZZ_CHECK(back == clear, std::string("[rev] did not give the data back on row ") + r.name);
    return 0;
}
