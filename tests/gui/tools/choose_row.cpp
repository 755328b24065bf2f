// choose_row.cpp: a helper of scripts/run: waits for the workbench window, chooses the drop-list
// row it is given as a user would, lets the window repaint and prints its screen rectangle as
// "width x height + left + top" for cropping a screenshot.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    constexpr int OPERATION_LIST = 1034;
    HWND main = nullptr;
    // The topmost workbench window: the one opened last, should several be open.
    for (int tries = 0; tries < 600 && !main; ++tries) {
        char title[16] = {};
        while ((main = FindWindowExA(nullptr, main, "#32770", nullptr)) != nullptr)
            if (IsWindowVisible(main) && GetWindowTextA(main, title, sizeof title) && !std::strncmp(title, "Tabrix! V", 9))
                break;
        if (!main)
            Sleep(50);
    }
    HWND list = GetDlgItem(main, OPERATION_LIST);
    const LRESULT row = argc > 1 ? SendMessageA(list, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(argv[1])) : 0;
    if (!main || row == CB_ERR) {
        std::fprintf(stderr, "choose_row: no %s \"%s\"\n", main ? "row" : "window", main ? argv[1] : "Tabrix! V...");
        return 1;
    }
    if (argc > 1) {
        SendMessageA(list, CB_SETCURSEL, row, 0);
        SendMessageA(main, WM_COMMAND, MAKEWPARAM(OPERATION_LIST, CBN_SELCHANGE), LPARAM(list));
    }
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r{};
    GetWindowRect(main, &r);
    std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
}
