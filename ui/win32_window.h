// win32_window.h: the window seam over the real main dialog, its controls, the clipboard and the timer.
#pragma once

#include "core/seam.h"

class Win32Window : public WindowSeam {
public:
    // True while the program itself writes a control's text: the edit-change notifications that
    // such a write may raise are not the user's typing.
    bool writing_text() const { return writing_text_; }

    std::string text(int id, int max_chars) override;
    void set_text(int id, std::string_view text) override;
    void show(int id, bool visible) override;
    void enable(int id, bool enabled) override;
    bool checked(int id) override;
    void set_checked(int id, bool checked) override;
    void set_read_only(int id, bool read_only) override;
    void limit_text(int id, int max_chars) override;
    void select_all_and_focus(int id) override;
    void list_add(int id, std::string_view text) override;
    void list_select(int id, int index) override;
    int list_selection(int id) override;

    PictureRef load_picture(int resource_id) override;
    void set_picture(int id, PictureRef picture) override;
    void free_picture(PictureRef picture) override;

    void set_title(std::string_view title) override;
    void set_program_icons() override;
    void message_box(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void start_timer(unsigned id, unsigned delay_ms) override;
    void stop_timer(unsigned id) override;
    void set_cursor(CursorKind cursor) override;
    void open_about_box() override;
    void quit(int exit_code) override;

    bool clipboard_open() override;
    void clipboard_empty() override;
    ClipboardBlock clipboard_alloc(std::size_t bytes) override;
    char* clipboard_lock(ClipboardBlock block) override;
    void clipboard_unlock(ClipboardBlock block) override;
    void clipboard_free(ClipboardBlock block) override;
    void clipboard_set_text(ClipboardBlock block) override;
    void clipboard_close() override;

    WindowRef main_window() override;
    WindowRef reference_window(WindowRef window) override;
    WindowRect window_rect(WindowRef window) override;
    void move_to_top(WindowRef window, int x, int y) override;

private:
    bool writing_text_ = false;
};
