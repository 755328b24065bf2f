// win32_window.cpp: the window seam over USER32, GDI32 and KERNEL32: control texts and states,
// pictures, message boxes owned by the main window, the run timer, cursors and the clipboard.
#include "ui/win32_window.h"

#include <string>

#include "core/catalogue.h"
#include "ui/resource.h"
#include "ui/shell.h"

namespace {

HWND control(int id) { return GetDlgItem(g_main_dialog, id); }

HWND window_of(WindowRef window) { return reinterpret_cast<HWND>(window); }

bool is_table_picture(HANDLE image)
{
    for (const BitmapSlot& slot : bitmap_table)
        if (slot.image == reinterpret_cast<std::uintptr_t>(image))
            return true;
    return false;
}

} // namespace

std::string Win32Window::text(int id, int max_chars)
{
    std::string buffer(static_cast<std::size_t>(max_chars) + 1, '\0');
    int length = GetDlgItemTextA(g_main_dialog, id, buffer.data(), max_chars + 1);
    buffer.resize(static_cast<std::size_t>(length));
    return buffer;
}

void Win32Window::set_text(int id, std::string_view text)
{
    std::string terminated(text);
    writing_text_ = true;
    SetDlgItemTextA(g_main_dialog, id, terminated.c_str());
    writing_text_ = false;
}

void Win32Window::show(int id, bool visible) { ShowWindow(control(id), visible ? SW_SHOW : SW_HIDE); }

void Win32Window::enable(int id, bool enabled) { EnableWindow(control(id), enabled); }

bool Win32Window::checked(int id) { return IsDlgButtonChecked(g_main_dialog, id) == BST_CHECKED; }

void Win32Window::set_checked(int id, bool checked)
{
    CheckDlgButton(g_main_dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Win32Window::set_read_only(int id, bool read_only)
{
    SendMessageA(control(id), EM_SETREADONLY, read_only, 0);
}

void Win32Window::limit_text(int id, int max_chars)
{
    SendMessageA(control(id), EM_LIMITTEXT, static_cast<WPARAM>(max_chars), 0);
}

void Win32Window::select_all_and_focus(int id)
{
    SendMessageA(control(id), EM_SETSEL, 0, -1);
    SetFocus(control(id));
}

void Win32Window::list_add(int id, std::string_view text)
{
    std::string terminated(text);
    SendMessageA(control(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(terminated.c_str()));
}

void Win32Window::list_select(int id, int index) { SendMessageA(control(id), CB_SETCURSEL, index, 0); }

int Win32Window::list_selection(int id)
{
    return static_cast<int>(SendMessageA(control(id), CB_GETCURSEL, 0, 0));
}

PictureRef Win32Window::load_picture(int resource_id)
{
    HANDLE image = LoadImageA(g_instance, MAKEINTRESOURCEA(resource_id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
    return reinterpret_cast<PictureRef>(image);
}

void Win32Window::set_picture(int id, PictureRef picture)
{
    LRESULT previous = SendMessageA(control(id), STM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(picture));
    // The static loaded its first picture itself from the dialog layout; nobody else owns it.
    HANDLE replaced = reinterpret_cast<HANDLE>(previous);
    if (replaced && previous != static_cast<LRESULT>(picture) && !is_table_picture(replaced))
        DeleteObject(replaced);
}

void Win32Window::free_picture(PictureRef picture) { DeleteObject(reinterpret_cast<HGDIOBJ>(picture)); }

void Win32Window::set_title(std::string_view title)
{
    std::string terminated(title);
    SetWindowTextA(g_main_dialog, terminated.c_str());
}

void Win32Window::set_program_icons()
{
    HANDLE small_icon = LoadImageA(g_instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, 32, 32, 0);
    SendMessageA(g_main_dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon));
    HANDLE big_icon = LoadImageA(g_instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, 128, 128, 0);
    SendMessageA(g_main_dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon));
}

void Win32Window::message_box(std::string_view text, std::string_view caption, MessageIcon icon)
{
    std::string terminated_text(text), terminated_caption(caption);
    UINT style = MB_OK | (icon == MessageIcon::Error ? MB_ICONERROR : MB_ICONINFORMATION);
    MessageBoxA(g_main_dialog, terminated_text.c_str(), terminated_caption.c_str(), style);
}

void Win32Window::start_timer(unsigned id, unsigned delay_ms) { SetTimer(g_main_dialog, id, delay_ms, nullptr); }

void Win32Window::stop_timer(unsigned id) { KillTimer(g_main_dialog, id); }

void Win32Window::set_cursor(CursorKind cursor)
{
    // System cursors are shared: loading one again gives the same handle.
    SetCursor(LoadCursorA(nullptr, cursor == CursorKind::Wait ? IDC_WAIT : IDC_ARROW));
}

void Win32Window::open_about_box() { DialogBoxParamA(g_instance, "ABOUTDLG", g_main_dialog, about_dialog_proc, 0); }

void Win32Window::quit(int exit_code) { PostQuitMessage(exit_code); }

bool Win32Window::clipboard_open() { return OpenClipboard(g_main_dialog) != 0; }

void Win32Window::clipboard_empty() { EmptyClipboard(); }

ClipboardBlock Win32Window::clipboard_alloc(std::size_t bytes)
{
    return reinterpret_cast<ClipboardBlock>(GlobalAlloc(GMEM_MOVEABLE, bytes));
}

char* Win32Window::clipboard_lock(ClipboardBlock block)
{
    return static_cast<char*>(GlobalLock(reinterpret_cast<HGLOBAL>(block)));
}

void Win32Window::clipboard_unlock(ClipboardBlock block) { GlobalUnlock(reinterpret_cast<HGLOBAL>(block)); }

void Win32Window::clipboard_free(ClipboardBlock block) { GlobalFree(reinterpret_cast<HGLOBAL>(block)); }

void Win32Window::clipboard_set_text(ClipboardBlock block)
{
    SetClipboardData(CF_TEXT, reinterpret_cast<HANDLE>(block));
}

void Win32Window::clipboard_close() { CloseClipboard(); }

WindowRef Win32Window::main_window() { return reinterpret_cast<WindowRef>(g_main_dialog); }

WindowRef Win32Window::reference_window(WindowRef window)
{
    HWND w = window_of(window);
    HWND reference = (GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : GetWindow(w, GW_OWNER);
    if (!reference)
        reference = GetDesktopWindow();
    return reinterpret_cast<WindowRef>(reference);
}

WindowRect Win32Window::window_rect(WindowRef window)
{
    RECT r{};
    GetWindowRect(window_of(window), &r);
    return {r.left, r.top, r.right, r.bottom};
}

void Win32Window::move_to_top(WindowRef window, int x, int y)
{
    SetWindowPos(window_of(window), HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}
