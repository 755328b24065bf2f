// actions.h: a user's actions on the main window, over the headless seam (or the tests' fake, which
// extends it): open the window, choose a row, tick a box, pick a block mode, type into a field, press
// GO! and let the run timer fire, and put the form back as a fresh window shows it. The console
// program, the row cases, the unit-test fixture and the fuzz targets all act through these.
#pragma once

#include <string_view>

#include "core/headless_window.h"

inline constexpr int NOTIFY_EDIT_CHANGE = 0x0300; // EN_CHANGE

// Opens the main window on w, with the workbench state zeroed first; w becomes g_window.
void open_window(HeadlessWindow& w);
void choose_row(HeadlessWindow& w, int row);
// Types into field 0 to 3, cut at the edit's limit as an edit cuts it, with the edit-change notification.
void type_text(HeadlessWindow& w, int field, std::string_view text);
// Ticks or unticks a box; a click, so it notifies.
void set_box(HeadlessWindow& w, int control_id, bool ticked);
// Clicks a block-mode radio button; the group unchecks the others.
void select_mode(HeadlessWindow& w, int radio_id);
// Presses GO! and fires the run timer; false when GO! started none.
bool press_go(HeadlessWindow& w);
// Back to the form of a freshly opened window, without opening it again: no message, no ASCII box,
// Padding or "Use IPEK" ticked, ECB selected, every field empty, the first row chosen.
void reset_form(HeadlessWindow& w);
