// headless_window.cpp: the in-memory window seam.
#include "core/headless_window.h"

#include <cstring>

#include "core/controller.h"

void HeadlessWindow::reset()
{
    for (auto& [id, c] : controls) {
        c.text.clear();
        c.visible = c.enabled = true;
        c.checked = c.read_only = false;
        c.text_limit = 0;
        c.picture = 0;
        c.items.clear();
        c.selection = -1;
    }
    messages.clear();
    title.clear();
    focus = 0;
    timer.reset();
    cursor = CursorKind::Arrow;
    about_box_opened = false;
    exit_code.reset();
    clipboard.clear();
    main_rect = {0, 0, 800, 700};
    blocks.clear();
}

bool HeadlessWindow::fire_timer()
{
    if (!timer)
        return false;
    controller_timer(*timer);
    return true;
}

std::string HeadlessWindow::text(int id, int max_chars)
{
    const std::string& t = controls[id].text;
    return t.substr(0, static_cast<std::size_t>(max_chars));
}

void HeadlessWindow::select_all_and_focus(int id)
{
    focus = id;
    if (!messages.empty() && messages.back().focused_control == 0)
        messages.back().focused_control = id;
}

void HeadlessWindow::message_box(std::string_view text, std::string_view caption, MessageIcon icon)
{
    messages.push_back({std::string(text), std::string(caption), icon, 0});
}

void HeadlessWindow::stop_timer(unsigned id)
{
    if (timer == id)
        timer.reset();
}

ClipboardBlock HeadlessWindow::clipboard_alloc(std::size_t bytes)
{
    blocks[next_block].assign(bytes, '\0');
    return next_block++;
}

char* HeadlessWindow::clipboard_lock(ClipboardBlock block)
{
    auto it = blocks.find(block);
    return it == blocks.end() ? nullptr : it->second.data();
}

void HeadlessWindow::clipboard_free(ClipboardBlock block) { blocks.erase(block); }

void HeadlessWindow::clipboard_set_text(ClipboardBlock block)
{
    if (auto it = blocks.find(block); it != blocks.end()) {
        clipboard.assign(it->second.data(), strnlen(it->second.data(), it->second.size()));
        blocks.erase(it);
    }
}

void HeadlessWindow::move_to_top(WindowRef window, int x, int y)
{
    if (window != MAIN)
        return;
    main_rect = {x, y, x + main_rect.right - main_rect.left, y + main_rect.bottom - main_rect.top};
}
