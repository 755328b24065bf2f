// shell.h: the window shell's globals and dialog procedures. The only header of the program that
// brings in <windows.h>; core/ sees the window only through the seam.
#pragma once

#include <windows.h>

extern HINSTANCE g_instance;  // the program's module, set before the main window is created
extern HWND g_main_dialog;    // the main window, set when its initialisation begins

// The modeless main window "MAINDLG": hands its messages to the form controller.
INT_PTR CALLBACK main_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// The About box "ABOUTDLG", modal over the main window.
INT_PTR CALLBACK about_dialog_proc(HWND box, UINT message, WPARAM wparam, LPARAM lparam);

// The Version History viewer "VERSHIST", modal over the About box.
INT_PTR CALLBACK history_dialog_proc(HWND viewer, UINT message, WPARAM wparam, LPARAM lparam);
