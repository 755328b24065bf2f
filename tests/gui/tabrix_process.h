// tabrix_process.h: Tabrix.exe started in its own process and driven from outside it with the
// messages that a user's drop-list choices, keystrokes and clicks produce.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/controls.h"

// Tabrix.exe lies beside this test program.
inline std::string tabrix_exe_path()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path);
    return p.substr(0, p.find_last_of("\\/") + 1) + "Tabrix.exe";
}

// False if the condition never held within the limit (a hung or missing window, not slowness).
inline bool wait_until(const std::function<bool()>& condition)
{
    for (const ULONGLONG end = GetTickCount64() + 20000; !condition(); Sleep(10))
        if (GetTickCount64() > end)
            return false;
    return true;
}

// WM_GETTEXT: GetWindowText would not ask a control of another process.
inline std::string window_text(HWND window)
{
    std::string text(static_cast<std::size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

inline std::string class_name(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The visible dialog of the process owned by the given window (message boxes are dialogs too).
inline HWND owned_dialog(DWORD process_id, HWND owner)
{
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr;) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid == process_id && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == owner)
            return window;
    }
    return nullptr;
}

inline HWND focus_of(HWND window)
{
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    return gui.hwndFocus;
}

inline void press_key(HWND window, WPARAM key)
{
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(window, WM_KEYDOWN, key, scan | 1);
    PostMessageA(window, WM_KEYUP, key, scan | 1 | (3LL << 30));
}

// A click whose handling may open a modal window, so posted: returns at once.
inline void post_click(HWND control)
{
    if (class_name(control) == "Button")
        PostMessageA(control, BM_CLICK, 0, 0);
    else
        for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP})
            PostMessageA(control, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(4, 4));
}

class TabrixProcess {
public:
    TabrixProcess()
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(tabrix_exe_path().c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
            return;
        WaitForInputIdle(info_.hProcess, 20000);
        wait_until([this] { return (main_ = owned_dialog(info_.dwProcessId, nullptr)) != nullptr; });
    }
    ~TabrixProcess()
    {
        if (running()) {
            PostMessageA(main_, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(info_.hProcess, 10000) == WAIT_TIMEOUT)
                TerminateProcess(info_.hProcess, 1);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    TabrixProcess(const TabrixProcess&) = delete;
    TabrixProcess& operator=(const TabrixProcess&) = delete;

    HWND main() const { return main_; }
    DWORD process_id() const { return info_.dwProcessId; }
    HWND item(int id) const { return GetDlgItem(main_, id); }
    std::string text(int id) const { return window_text(item(id)); }
    bool visible(int id) const { return IsWindowVisible(item(id)) != 0; }
    bool enabled(int id) const { return IsWindowEnabled(item(id)) != 0; }
    bool checked(int id) const { return SendMessageA(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool read_only(int id) const { return (GetWindowLongA(item(id), GWL_STYLE) & ES_READONLY) != 0; }

    // The drop-list reports a user's choice of the row with this name.
    void choose(const std::string& name)
    {
        HWND list = item(IDC_OPERATION_LIST);
        SendMessageA(list, CB_SETCURSEL, SendMessageA(list, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(name.c_str())), 0);
        SendMessageA(main_, WM_COMMAND, MAKEWPARAM(IDC_OPERATION_LIST, CBN_SELCHANGE), LPARAM(list));
    }
    // A multi-line edit notifies a change for keystrokes only, not for WM_SETTEXT: all but the last
    // character are set, the last one typed (a backspace to empty it).
    void type(int edit_id, const std::string& text)
    {
        HWND edit = item(edit_id);
        const std::string head = text.empty() ? "0" : text.substr(0, text.size() - 1);
        SetWindowTextA(edit, head.c_str());
        SendMessageA(edit, EM_SETSEL, head.size(), head.size());
        SendMessageA(edit, WM_CHAR, text.empty() ? VK_BACK : static_cast<unsigned char>(text.back()), 1);
    }
    void click(int button_id) { SendMessageA(item(button_id), BM_CLICK, 0, 0); }
    // Returns when the run has ended or shows a message box.
    void press_go()
    {
        click(IDC_GO);
        wait_until([this] { return enabled(IDC_GO) || message_box(); });
    }
    // A message box over the main window: a dialog with the text control 0xFFFF.
    HWND message_box() const
    {
        HWND box = owned_dialog(info_.dwProcessId, main_);
        return box && GetDlgItem(box, 0xFFFF) ? box : nullptr;
    }
    void dismiss(HWND box)
    {
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        wait_until([box] { return !IsWindowVisible(box); });
    }
    bool running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    // The exit code, or -1 if the program did not end.
    long wait_for_exit()
    {
        DWORD code = 0;
        if (WaitForSingleObject(info_.hProcess, 20000) != WAIT_OBJECT_0 || !GetExitCodeProcess(info_.hProcess, &code))
            return -1;
        return static_cast<long>(code);
    }

private:
    PROCESS_INFORMATION info_{};
    HWND main_ = nullptr;
};
