// tabrix_process.cpp: starting Tabrix.exe, finding its windows and acting on them from outside
// its process, with the messages that a user's clicks and keystrokes produce.
#include "tests/gui/tabrix_process.h"

#include <vector>

#include "core/controls.h"

std::string tabrix_exe_path()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path);
    return p.substr(0, p.find_last_of("\\/") + 1) + "Tabrix.exe";
}

bool wait_until(const std::function<bool()>& condition, DWORD limit_ms)
{
    const ULONGLONG end = GetTickCount64() + limit_ms;
    while (!condition()) {
        if (GetTickCount64() > end)
            return false;
        Sleep(10);
    }
    return true;
}

std::string window_text(HWND window)
{
    // GetWindowText would not ask a control of another process for its text: WM_GETTEXT does.
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::string class_name(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

namespace {

struct WindowSearch {
    DWORD process_id;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_dialog(HWND window, LPARAM param)
{
    auto* s = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == s->process_id && IsWindowVisible(window) && class_name(window) == "#32770")
        s->found.push_back(window);
    return TRUE;
}

// The visible dialog windows of the process (message boxes are dialogs too).
std::vector<HWND> top_level_windows(DWORD process_id)
{
    WindowSearch search{process_id, {}};
    EnumWindows(collect_dialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

constexpr int MESSAGE_BOX_TEXT_ID = 0xFFFF;

// A 32-bit top-down picture of a screen area, or of an icon drawn over a background colour.
struct Pixels {
    int width = 0, height = 0;
    std::vector<DWORD> data;
};

Pixels capture(HDC source, int x, int y, int width, int height, HICON icon, DWORD background)
{
    Pixels result{width, height, std::vector<DWORD>(static_cast<std::size_t>(width * height))};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    if (icon) {
        auto* p = static_cast<DWORD*>(bits);
        std::fill(p, p + width * height, background);
        DrawIconEx(memory, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    } else {
        BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    }
    GdiFlush();
    std::copy_n(static_cast<DWORD*>(bits), width * height, result.data.begin());
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    return result;
}

int differing_pixels(const Pixels& a, const Pixels& b)
{
    int n = 0;
    for (std::size_t i = 0; i < a.data.size(); ++i)
        n += (a.data[i] & 0xFFFFFF) != (b.data[i] & 0xFFFFFF);
    return n;
}

BOOL CALLBACK find_icon_static(HWND child, LPARAM param)
{
    if (class_name(child) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HWND*>(param) = child;
        return FALSE;
    }
    return TRUE;
}

// The static control that shows a message box's icon.
HWND icon_static(HWND box)
{
    HWND found = nullptr;
    EnumChildWindows(box, find_icon_static, reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

HWND owned_dialog(DWORD process_id, HWND owner)
{
    for (HWND window : top_level_windows(process_id))
        if (GetWindow(window, GW_OWNER) == owner)
            return window;
    return nullptr;
}

ShownIcon message_box_icon(HWND box)
{
    HWND icon_control = icon_static(box);
    if (!icon_control || !IsWindowVisible(icon_control))
        return ShownIcon::Unknown;
    RECT r{};
    GetWindowRect(icon_control, &r);
    const int size = GetSystemMetrics(SM_CXICON);
    HDC screen = GetDC(nullptr);
    Pixels shown = capture(screen, r.left, r.top, size, size, nullptr, 0);
    const DWORD background = shown.data[0];
    Pixels error = capture(screen, 0, 0, size, size, LoadIconA(nullptr, IDI_ERROR), background);
    Pixels information = capture(screen, 0, 0, size, size, LoadIconA(nullptr, IDI_INFORMATION), background);
    ReleaseDC(nullptr, screen);

    const int tolerance = size * size / 20;
    if (differing_pixels(shown, error) <= tolerance)
        return ShownIcon::Error;
    if (differing_pixels(shown, information) <= tolerance)
        return ShownIcon::Information;
    return ShownIcon::Unknown;
}

TabrixProcess::TabrixProcess()
{
    std::string exe = tabrix_exe_path();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
        return;
    WaitForInputIdle(info_.hProcess, 20000);
    wait_until([this] {
        for (HWND window : top_level_windows(info_.dwProcessId))
            if (window_text(window).rfind("Tabrix!", 0) == 0 && !GetWindow(window, GW_OWNER))
                main_ = window;
        return main_ != nullptr;
    });
}

TabrixProcess::~TabrixProcess()
{
    if (!info_.hProcess)
        return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        if (main_)
            PostMessageA(main_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(info_.hProcess, 10000) == WAIT_TIMEOUT)
            TerminateProcess(info_.hProcess, 1);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

HWND TabrixProcess::focus() const
{
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &gui);
    return gui.hwndFocus;
}

void TabrixProcess::choose(std::string_view name)
{
    HWND list = item(IDC_OPERATION_LIST);
    std::string wanted(name);
    LRESULT index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(wanted.c_str()));
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(IDC_OPERATION_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void TabrixProcess::type(int edit_id, std::string_view text)
{
    // A multi-line edit raises no change notification for WM_SETTEXT, only for keystrokes.
    HWND edit = item(edit_id);
    std::string head(text.empty() ? "0" : text.substr(0, text.size() - 1));
    SetWindowTextA(edit, head.c_str());
    const WPARAM end = head.size();
    SendMessageA(edit, EM_SETSEL, end, end);
    const WPARAM last = text.empty() ? VK_BACK : static_cast<unsigned char>(text.back());
    SendMessageA(edit, WM_CHAR, last, 1);
}

void TabrixProcess::click(int button_id) { SendMessageA(item(button_id), BM_CLICK, 0, 0); }

void TabrixProcess::click_opening_window(HWND control)
{
    if (class_name(control) == "Button") {
        PostMessageA(control, BM_CLICK, 0, 0);
        return;
    }
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

void TabrixProcess::press_go()
{
    click(IDC_GO);
    wait_until([this] { return enabled(IDC_GO) || message_box().box; });
}

void TabrixProcess::press_key(HWND window, WPARAM virtual_key)
{
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(virtual_key), MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(window, WM_KEYDOWN, virtual_key, scan | 1);
    PostMessageA(window, WM_KEYUP, virtual_key, scan | 1 | (1LL << 30) | (1LL << 31));
}

MessageBoxSeen TabrixProcess::message_box() const
{
    for (HWND window : top_level_windows(info_.dwProcessId)) {
        HWND text = GetDlgItem(window, MESSAGE_BOX_TEXT_ID);
        if (text && GetWindow(window, GW_OWNER) == main_)
            return {window, window_text(window), window_text(text)};
    }
    return {};
}

MessageBoxSeen TabrixProcess::wait_for_message_box() const
{
    MessageBoxSeen seen;
    wait_until([&] { return (seen = message_box()).box != nullptr; });
    return seen;
}

void TabrixProcess::dismiss(HWND box)
{
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    wait_until([box] { return !IsWindow(box) || !IsWindowVisible(box); });
}

long TabrixProcess::wait_for_exit()
{
    if (WaitForSingleObject(info_.hProcess, 20000) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
}
