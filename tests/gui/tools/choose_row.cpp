// choose_row.cpp: a helper of scripts/run: waits for the workbench window, chooses a drop-list
// row in it as a user would (when one is named), lets it repaint, and prints the window's screen
// rectangle as "width x height + left + top" for cropping a screenshot.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

ULONGLONG process_start(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    FILETIME created{}, unused1{}, unused2{}, unused3{};
    if (process) {
        GetProcessTimes(process, &created, &unused1, &unused2, &unused3);
        CloseHandle(process);
    }
    return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

struct Search {
    HWND window = nullptr;
    ULONGLONG started = 0;
};

BOOL CALLBACK consider_window(HWND window, LPARAM param)
{
    char title[32] = {}, name[16] = {};
    GetWindowTextA(window, title, sizeof title);
    GetClassNameA(window, name, sizeof name);
    if (IsWindowVisible(window) && std::strcmp(name, "#32770") == 0 && std::strncmp(title, "Tabrix! V", 9) == 0) {
        auto* s = reinterpret_cast<Search*>(param);
        const ULONGLONG started = process_start(window);
        if (!s->window || started > s->started)
            *s = {window, started};
    }
    return TRUE;
}

// The main window of the workbench started last, should several be open.
HWND find_workbench()
{
    Search search;
    EnumWindows(consider_window, reinterpret_cast<LPARAM>(&search));
    return search.window;
}

} // namespace

int main(int argc, char** argv)
{
    constexpr int OPERATION_LIST = 1034;
    HWND main = nullptr;
    for (int tries = 0; tries < 600 && !(main = find_workbench()); ++tries)
        Sleep(50);
    if (!main) {
        std::fprintf(stderr, "choose_row: no workbench window\n");
        return 1;
    }
    if (argc > 1) {
        HWND list = GetDlgItem(main, OPERATION_LIST);
        LRESULT index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(argv[1]));
        if (index == CB_ERR) {
            std::fprintf(stderr, "choose_row: no row \"%s\"\n", argv[1]);
            return 1;
        }
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(main, WM_COMMAND, MAKEWPARAM(OPERATION_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r{};
    GetWindowRect(main, &r);
    std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    return 0;
}
