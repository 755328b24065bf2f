// main_dialog.cpp: the procedure of the main window, which turns its messages into the entries
// of the form controller.
#include "core/controller.h"
#include "ui/shell.h"
#include "ui/win32_window.h"

HWND g_main_dialog = nullptr;

namespace {
Win32Window main_window_seam;
}

INT_PTR CALLBACK main_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        g_main_dialog = dialog;
        g_window = &main_window_seam;
        controller_init();
        return TRUE; // the platform focuses the first control that takes the focus
    case WM_COMMAND:
        if (!main_window_seam.writing_text())
            controller_command(LOWORD(wparam), HIWORD(wparam));
        return TRUE;
    case WM_TIMER:
        controller_timer(static_cast<unsigned>(wparam));
        return TRUE;
    case WM_CLOSE:
        controller_close();
        return TRUE;
    case WM_DESTROY:
        controller_destroy();
        return TRUE;
    default:
        return FALSE;
    }
}
