// tabrix_process.h: Tabrix.exe under test, in its own process, driven the way a user acts:
// drop-list choices, typing that raises the edit-change notifications, clicks and keys.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

// The path of Tabrix.exe: beside this test program.
std::string tabrix_exe_path();

// Waits until the condition holds, checking it between short pauses; false if it never did
// within the limit (a hung or missing window, not a measure of speed).
bool wait_until(const std::function<bool()>& condition, DWORD limit_ms = 20000);

std::string window_text(HWND window);
std::string class_name(HWND window);

// A top-level dialog window of the process whose owner is the given window, or nullptr.
HWND owned_dialog(DWORD process_id, HWND owner);

struct MessageBoxSeen {
    HWND box = nullptr;
    std::string caption;
    std::string text;
};

// Which standard icon a message box shows, told by its pixels on the screen: the icon handle
// of another process cannot be read.
enum class ShownIcon { Error, Information, Unknown };
ShownIcon message_box_icon(HWND box);

class TabrixProcess {
public:
    TabrixProcess();
    ~TabrixProcess();
    TabrixProcess(const TabrixProcess&) = delete;
    TabrixProcess& operator=(const TabrixProcess&) = delete;

    bool started() const { return main_ != nullptr; }
    HWND main() const { return main_; }
    DWORD process_id() const { return info_.dwProcessId; }
    HWND item(int id) const { return GetDlgItem(main_, id); }

    std::string text(int id) const { return window_text(item(id)); }
    bool visible(int id) const { return IsWindowVisible(item(id)) != 0; }
    bool enabled(int id) const { return IsWindowEnabled(item(id)) != 0; }
    bool checked(int id) const { return SendMessageA(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool read_only(int id) const { return (GetWindowLongA(item(id), GWL_STYLE) & ES_READONLY) != 0; }
    HWND focus() const; // the control with the keyboard focus in the program

    // Chooses the drop-list entry with this name, as the drop-list reports a user's choice.
    void choose(std::string_view name);
    // Replaces the text of an edit as typed: the last keystroke raises the change notification.
    void type(int edit_id, std::string_view text);
    // A click on a push button, check box or radio button; returns when it has been handled.
    void click(int button_id);
    // A click whose handling opens a modal window: returns at once.
    void click_opening_window(HWND button);
    // Presses GO! and waits until the run has ended or has shown a message box.
    void press_go();
    // A key pressed while the given window has the focus.
    void press_key(HWND window, WPARAM virtual_key);

    // The message box that the program shows now, or an empty record.
    MessageBoxSeen message_box() const;
    // Waits for a message box, or fails (empty record).
    MessageBoxSeen wait_for_message_box() const;
    // Presses OK in the message box and waits for it to go.
    void dismiss(HWND box);

    // Waits for the program to end; its exit code, or -1 if it did not end.
    long wait_for_exit();

private:
    PROCESS_INFORMATION info_{};
    HWND main_ = nullptr;
};
