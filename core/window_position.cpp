// window_position.cpp: centres a window over its parent or owner, or over the desktop.
#include "core/controller.h"

void centre_window(WindowRef window)
{
    const WindowRect p = g_window->window_rect(g_window->reference_window(window));
    const WindowRect w = g_window->window_rect(window);
    const int pw = p.right - p.left, ph = p.bottom - p.top;
    const int ww = w.right - w.left, wh = w.bottom - w.top;
    // Integer division truncates towards zero, also for a window larger than its reference.
    g_window->move_to_top(window, p.left + (pw - ww) / 2, p.top + (ph - wh) / 2);
}
