// headless_window.h: a window seam without a window. Every control's state is held in memory, a message
// box becomes an error record, and the one-shot timer waits for its owner to fire it at once. The console
// program runs the rows on it; it knows nothing of who drives it.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/seam.h"

struct HeadlessControl {
    std::string text;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    bool read_only = false;
    int text_limit = 0;             // 0: no limit set
    PictureRef picture = 0;
    std::vector<std::string> items; // drop-list entries
    int selection = -1;             // drop-list selection
};

// A message box as a record: what it said, and the control selected and focused right after it (0 if none).
struct HeadlessMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
    int focused_control;
};

class HeadlessWindow : public WindowSeam {
public:
    std::map<int, HeadlessControl> controls;
    std::vector<HeadlessMessage> messages;
    std::string title;
    int focus = 0;                 // control with the keyboard focus
    std::optional<unsigned> timer; // the pending one-shot timer
    CursorKind cursor = CursorKind::Arrow;
    bool about_box_opened = false;
    std::optional<int> exit_code;  // set by quit
    std::string clipboard;         // the text handed to the clipboard last

    HeadlessControl& operator[](int id) { return controls[id]; }

    // Back to the state of a window never shown: every control as new, no messages, no timer. Keeps the
    // storage of the controls, so that a batch opening one window per case does not allocate them anew.
    void reset();

    // Fires the pending timer through controller_timer, as the message loop would once it elapsed;
    // false when none was pending.
    bool fire_timer();

    std::string text(int id, int max_chars) override;
    void set_text(int id, std::string_view text) override { controls[id].text = text; }
    void show(int id, bool visible) override { controls[id].visible = visible; }
    void enable(int id, bool enabled) override { controls[id].enabled = enabled; }
    bool checked(int id) override { return controls[id].checked; }
    void set_checked(int id, bool checked) override { controls[id].checked = checked; }
    void set_read_only(int id, bool read_only) override { controls[id].read_only = read_only; }
    void limit_text(int id, int max_chars) override { controls[id].text_limit = max_chars; }
    void select_all_and_focus(int id) override;
    void list_add(int id, std::string_view text) override { controls[id].items.emplace_back(text); }
    void list_select(int id, int index) override { controls[id].selection = index; }
    int list_selection(int id) override { return controls[id].selection; }

    // A picture's reference is its resource id: never 0, nothing to release.
    PictureRef load_picture(int resource_id) override { return static_cast<PictureRef>(resource_id); }
    void set_picture(int id, PictureRef picture) override { controls[id].picture = picture; }
    void free_picture(PictureRef) override {}

    void set_title(std::string_view t) override { title = t; }
    void set_program_icons() override {}
    void message_box(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void start_timer(unsigned id, unsigned) override { timer = id; }
    void stop_timer(unsigned id) override;
    void set_cursor(CursorKind c) override { cursor = c; }
    void open_about_box() override { about_box_opened = true; }
    void quit(int code) override { exit_code = code; }

    // The clipboard: blocks live in memory until handed over or freed.
    bool clipboard_open() override { return true; }
    void clipboard_empty() override { clipboard.clear(); }
    ClipboardBlock clipboard_alloc(std::size_t bytes) override;
    char* clipboard_lock(ClipboardBlock block) override;
    void clipboard_unlock(ClipboardBlock) override {}
    void clipboard_free(ClipboardBlock block) override;
    void clipboard_set_text(ClipboardBlock block) override;
    void clipboard_close() override {}

    // One window on a 1280 x 1024 desktop.
    WindowRef main_window() override { return MAIN; }
    WindowRef reference_window(WindowRef) override { return DESKTOP; }
    WindowRect window_rect(WindowRef window) override { return window == DESKTOP ? DESKTOP_RECT : main_rect; }
    void move_to_top(WindowRef window, int x, int y) override;

private:
    static constexpr WindowRef MAIN = 1;
    static constexpr WindowRef DESKTOP = 2;
    static constexpr WindowRect DESKTOP_RECT = {0, 0, 1280, 1024};
    WindowRect main_rect = {0, 0, 800, 700};
    std::map<ClipboardBlock, std::vector<char>> blocks;
    ClipboardBlock next_block = 1;
};
