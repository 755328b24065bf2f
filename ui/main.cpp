// main.cpp: the program entry: creates the modeless main window and runs the message loop until
// the quit request, turning ESC into the close command through the accelerator table.
#include "ui/resource.h"
#include "ui/shell.h"

HINSTANCE g_instance = nullptr;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_instance = instance;
    CreateDialogParamA(instance, "MAINDLG", nullptr, main_dialog_proc, 0);
    HACCEL escape = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCEL_ESC));

    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (g_main_dialog && TranslateAcceleratorA(g_main_dialog, escape, &msg))
            continue;
        if (g_main_dialog && IsDialogMessageA(g_main_dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}
