// seam.h: the window services that the form controller and the field codec need.
// ui/ implements them over the real dialog; tests implement them with a recording fake.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using WindowRef = std::uintptr_t;      // an opaque window handle, 0 for none
using PictureRef = std::uintptr_t;     // an opaque loaded bitmap, 0 for none
using ClipboardBlock = std::uintptr_t; // an opaque block of movable global memory, 0 for none

enum class MessageIcon { Error, Information };
enum class CursorKind { Wait, Arrow };

struct WindowRect {
    int left, top, right, bottom;
};

// Controls are addressed by the control ids of the main dialog, which the catalogue tables hold.
// Every text is single-byte Windows-1252.
class WindowSeam {
public:
    virtual ~WindowSeam() = default;

    // Controls of the main window.
    virtual std::string text(int id, int max_chars) = 0;
    virtual void set_text(int id, std::string_view text) = 0; // not an edit by the user: no change notification
    virtual void show(int id, bool visible) = 0;
    virtual void enable(int id, bool enabled) = 0;
    virtual bool checked(int id) = 0;
    virtual void set_checked(int id, bool checked) = 0;
    virtual void set_read_only(int id, bool read_only) = 0;
    virtual void limit_text(int id, int max_chars) = 0;
    virtual void select_all_and_focus(int id) = 0; // EM_SETSEL 0, -1, then the keyboard focus
    virtual void list_add(int id, std::string_view text) = 0;
    virtual void list_select(int id, int index) = 0;
    virtual int list_selection(int id) = 0;

    // Pictures: loaded once, set into static controls, released when the window goes.
    virtual PictureRef load_picture(int resource_id) = 0;
    virtual void set_picture(int id, PictureRef picture) = 0;
    virtual void free_picture(PictureRef picture) = 0;

    // The main window itself.
    virtual void set_title(std::string_view title) = 0;
    virtual void set_program_icons() = 0; // icon group 102: 32 x 32 small, 128 x 128 big
    virtual void message_box(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
    virtual void start_timer(unsigned id, unsigned delay_ms) = 0;
    virtual void stop_timer(unsigned id) = 0;
    virtual void set_cursor(CursorKind cursor) = 0;
    virtual void open_about_box() = 0;
    virtual void quit(int exit_code) = 0;

    // Clipboard, step by step as the platform offers it, so that each failure can be met.
    virtual bool clipboard_open() = 0;
    virtual void clipboard_empty() = 0;
    virtual ClipboardBlock clipboard_alloc(std::size_t bytes) = 0;
    virtual char* clipboard_lock(ClipboardBlock block) = 0;
    virtual void clipboard_unlock(ClipboardBlock block) = 0;
    virtual void clipboard_free(ClipboardBlock block) = 0;
    virtual void clipboard_set_text(ClipboardBlock block) = 0; // the clipboard owns the block from here on
    virtual void clipboard_close() = 0;

    // Window rectangles, in screen coordinates.
    virtual WindowRef main_window() = 0;
    virtual WindowRef reference_window(WindowRef window) = 0; // parent or owner, else the desktop
    virtual WindowRect window_rect(WindowRef window) = 0;
    virtual void move_to_top(WindowRef window, int x, int y) = 0; // keeps the size
};

// The seam of the one main window; set by the window shell, or by a test.
extern WindowSeam* g_window;
