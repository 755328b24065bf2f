// fake_window.h: a window seam that records every control's state and injects failures, shared by the
// unit-test fixture and the fuzz targets; the user's actions on it are the console's (cli/actions.h).
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "cli/actions.h"
#include "core/headless_window.h"

// Controls, message boxes, the title, focus, timer, cursor, exit code and clipboard text are recorded by
// the headless window the console program runs on; the fake adds what tests look at beyond that and the
// failures they inject.
using FakeControl = HeadlessControl;
using FakeMessage = HeadlessMessage;

class FakeWindow : public HeadlessWindow {
public:
    bool icons_set = false;
    int selected_all = 0;    // control whose whole text was selected last
    unsigned timer_delay = 0;
    std::vector<CursorKind> cursor_history;
    int about_boxes_opened = 0;

    // Pictures: a loaded picture's reference is 0x10000 + its resource id.
    std::set<int> failing_pictures;
    std::set<PictureRef> loaded_pictures;

    // Clipboard.
    bool clipboard_is_open = false;
    bool clipboard_emptied = false;
    bool fail_alloc = false;
    bool fail_lock = false;
    std::size_t last_alloc_bytes = 0;
    std::vector<std::vector<char>> blocks; // every block handed out, index + 1 is its reference
    std::set<ClipboardBlock> freed_blocks;
    std::set<ClipboardBlock> locked_blocks; // a block handed over still locked is not taken, so that a missing unlock shows

    // Window rectangles for centre_window.
    std::map<WindowRef, WindowRect> rects{{DESKTOP, {0, 0, 1280, 1024}}, {MAIN, {0, 0, 800, 700}}};
    std::map<WindowRef, WindowRef> parents;
    static constexpr WindowRef MAIN = 1;
    static constexpr WindowRef DESKTOP = 100;

    void select_all_and_focus(int id) override { HeadlessWindow::select_all_and_focus(id), selected_all = id; }

    PictureRef load_picture(int id) override
    { return failing_pictures.count(id) ? 0 : *loaded_pictures.insert(0x10000 + static_cast<PictureRef>(id)).first; }
    void free_picture(PictureRef picture) override { loaded_pictures.erase(picture); }

    void set_program_icons() override { icons_set = true; }
    void start_timer(unsigned id, unsigned delay_ms) override { timer = id, timer_delay = delay_ms; }
    void set_cursor(CursorKind c) override { cursor = c, cursor_history.push_back(c); }
    void open_about_box() override { ++about_boxes_opened; }

    bool clipboard_open() override { return clipboard_is_open = true; }
    void clipboard_empty() override { clipboard.clear(), clipboard_emptied = true; }
    ClipboardBlock clipboard_alloc(std::size_t bytes) override;
    char* clipboard_lock(ClipboardBlock b) override;
    void clipboard_unlock(ClipboardBlock b) override { locked_blocks.erase(b); }
    void clipboard_free(ClipboardBlock block) override { freed_blocks.insert(block); }
    void clipboard_set_text(ClipboardBlock block) override;
    void clipboard_close() override { clipboard_is_open = false; }

    WindowRef main_window() override { return MAIN; }
    WindowRef reference_window(WindowRef w) override { return parents.count(w) ? parents[w] : DESKTOP; }
    WindowRect window_rect(WindowRef window) override { return rects[window]; }
    void move_to_top(WindowRef window, int x, int y) override;
};
