// history_dialog.cpp: the Version History viewer: the release notes stored in the program, shown
// read-only in bold Lucida Console.
#include <string>

#include "core/controller.h"
#include "ui/resource.h"
#include "ui/shell.h"

namespace {

// The release notes exactly as stored: the resource has no terminating NUL, so its size says
// where the text ends. Empty when the resource cannot be found or loaded.
std::string stored_release_notes()
{
    HRSRC found = FindResourceA(g_instance, MAKEINTRESOURCEA(IDR_VERSION_HISTORY),
                                MAKEINTRESOURCEA(RT_VERSION_HISTORY));
    HGLOBAL loaded = found ? LoadResource(g_instance, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        return {};
    return std::string(bytes, SizeofResource(g_instance, found));
}

void set_viewer_font(HWND viewer)
{
    HFONT font = CreateFontA(10, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Lucida Console");
    if (!font)
        return; // the text stays in the dialog font
    SendDlgItemMessageA(viewer, IDC_HISTORY_TEXT, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SetWindowLongPtrA(viewer, DWLP_USER, reinterpret_cast<LONG_PTR>(font)); // released with the viewer
}

} // namespace

INT_PTR CALLBACK history_dialog_proc(HWND viewer, UINT message, WPARAM wparam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        std::string notes = stored_release_notes();
        if (notes.empty())
            return TRUE; // nothing to show: an empty box in the dialog font, where it opened
        SetDlgItemTextA(viewer, IDC_HISTORY_TEXT, notes.c_str());
        set_viewer_font(viewer);
        centre_window(reinterpret_cast<WindowRef>(viewer));
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
            EndDialog(viewer, 1);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(viewer, 0);
        return TRUE;
    case WM_DESTROY:
        if (HGDIOBJ font = reinterpret_cast<HGDIOBJ>(GetWindowLongPtrA(viewer, DWLP_USER)))
            DeleteObject(font);
        return FALSE;
    default:
        return FALSE;
    }
}
