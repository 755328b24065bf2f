// workbench.h: a test fixture that opens the main window on the fake seam and acts as a user would.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/catalogue.h"
#include "core/controller.h"
#include "core/field.h"
#include "tests/support/fake_window.h"

inline constexpr int NOTIFY_EDIT_CHANGE = 0x0300; // EN_CHANGE

class Workbench : public ::testing::Test {
protected:
    FakeWindow w;

    void SetUp() override;
    void TearDown() override;

    // The drop-list index of the row with this name; fails the test if there is none.
    static int row_index(std::string_view name);
    // Chooses a row in the drop-list, as a user would.
    void choose(std::string_view name);
    // Replaces the text of field i (0 to 3) as typed, with the edit-change notification.
    void type(int field, std::string_view text);
    // Ticks or unticks field i's ASCII box (a click, so it notifies).
    void set_ascii(int field, bool ticked);
    // Selects a block-mode radio button (ECB 1042, CBC 1040, MAC 1044) as a click.
    void select_mode(int radio_id);
    void click(int control_id);
    // Presses GO! and fires the run timer.
    void run();
    // Types the given texts into fields 0 to 3 (the ones left out become empty), then runs.
    void run_with(std::string_view f0, std::string_view f1 = {}, std::string_view f2 = {},
                  std::string_view f3 = {});

    std::string text(int field) { return w[field_edit_id[field]].text; }
    std::string output() { return text(4); }
    std::string counter(int field) { return w[field_counter_id[field]].text; }
    // The text of the last message box, or "" when none was shown.
    std::string last_message() const { return w.messages.empty() ? "" : w.messages.back().text; }
};

// "12AB" -> the bytes as a string, for comparing with FieldBuffer contents.
std::string hex_bytes(std::string_view hex);
