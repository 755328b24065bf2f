// about_dialog.cpp: the About box: version, build date and time, and the way to the release notes.
#include "core/controller.h"
#include "core/version.h"
#include "ui/resource.h"
#include "ui/shell.h"

namespace {
constexpr const char* VERSION_TEXT = TABRIX_VERSION;
constexpr const char* BUILD_STAMP = __DATE__ " " __TIME__; // "Dec  5 2025 13:59:02"
}

INT_PTR CALLBACK about_dialog_proc(HWND box, UINT message, WPARAM wparam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(box, IDC_ABOUT_VERSION, VERSION_TEXT);
        SetDlgItemTextA(box, IDC_ABOUT_BUILD, BUILD_STAMP);
        centre_window(reinterpret_cast<WindowRef>(box));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDOK:
        case IDCANCEL: // also ESC, through the dialog keyboard handling
            EndDialog(box, 1);
            return TRUE;
        case IDC_ABOUT_HISTORY:
            DialogBoxParamA(g_instance, "VERSHIST", box, history_dialog_proc, 0);
            return TRUE;
        case IDC_LOGO: // the logo notifies clicks, but here a click does nothing
            return TRUE;
        default:
            return FALSE;
        }
    case WM_CLOSE:
        EndDialog(box, 0);
        return TRUE;
    default:
        return FALSE;
    }
}
