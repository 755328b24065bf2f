// workbench.h: a test fixture that opens the main window on the fake seam and acts as a user would,
// with the hexadecimal helpers the tests share.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/catalogue.h"
#include "core/controller.h"
#include "core/field.h"
#include "tests/support/fake_window.h"
#include "tests/support/hex.h"

// "12AB" -> the bytes as a string, for comparing with FieldBuffer contents.
std::string hex_bytes(std::string_view hex);

class Workbench : public ::testing::Test {
public:
    // The drop-list index of the row with this name; fails the test if there is none.
    static int row_index(std::string_view name);

protected:
    FakeWindow w;

    void SetUp() override { open_window(w); }
    void TearDown() override { controller_destroy(), g_window = nullptr; }

    // Chooses a row in the drop-list, as a user would.
    void choose(std::string_view name) { choose_row(w, row_index(name)); }
    // Replaces the text of field i (0 to 3) as typed, with the edit-change notification.
    void type(int field, std::string_view text) { type_text(w, field, text); }
    // Ticks or unticks field i's ASCII box (a click, so it notifies).
    void set_ascii(int field, bool ticked) { set_box(w, field_ascii_id[field], ticked); }
    // Selects a block-mode radio button (ECB 1042, CBC 1040, MAC 1044) as a click.
    void select_mode(int radio_id) { ::select_mode(w, radio_id); }
    // Clicks a button; Padding and "Use IPEK" toggle their tick.
    void click(int control_id);
    // Presses GO! and fires the run timer.
    void run() { ASSERT_TRUE(press_go(w)) << "GO! started no timer"; }
    // Types the given texts into fields 0 to 3 (the ones left out become empty), then runs.
    void run_with(std::string_view f0, std::string_view f1 = {}, std::string_view f2 = {},
                  std::string_view f3 = {});

    std::string text(int field) { return w[field_edit_id[field]].text; }
    std::string output() { return text(4); }
    std::string counter(int field) { return w[field_counter_id[field]].text; }
    // The text of the last message box, or "" when none was shown.
    std::string last_message() const { return w.messages.empty() ? "" : w.messages.back().text; }
};
