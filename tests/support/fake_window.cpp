// fake_window.cpp: the recording window seam.
#include "tests/support/fake_window.h"

#include <cstring>

std::string FakeWindow::text(int id, int max_chars)
{
    const std::string& t = controls[id].text;
    return t.substr(0, static_cast<std::size_t>(max_chars));
}

void FakeWindow::set_text(int id, std::string_view t) { controls[id].text = t; }

void FakeWindow::select_all_and_focus(int id)
{
    selected_all = id;
    focus = id;
}

PictureRef FakeWindow::load_picture(int resource_id)
{
    if (failing_pictures.count(resource_id))
        return 0;
    PictureRef ref = 0x10000 + static_cast<PictureRef>(resource_id);
    loaded_pictures.insert(ref);
    return ref;
}

void FakeWindow::message_box(std::string_view text, std::string_view caption, MessageIcon icon)
{
    messages.push_back({std::string(text), std::string(caption), icon});
}

void FakeWindow::start_timer(unsigned id, unsigned delay_ms)
{
    timer = id;
    timer_delay = delay_ms;
}

void FakeWindow::stop_timer(unsigned id)
{
    if (timer == id)
        timer.reset();
}

void FakeWindow::set_cursor(CursorKind c)
{
    cursor = c;
    cursor_history.push_back(c);
}

bool FakeWindow::clipboard_open()
{
    clipboard_is_open = true;
    return true;
}

void FakeWindow::clipboard_empty()
{
    clipboard.clear();
    clipboard_emptied = true;
}

ClipboardBlock FakeWindow::clipboard_alloc(std::size_t bytes)
{
    last_alloc_bytes = bytes;
    if (fail_alloc)
        return 0;
    blocks.emplace_back(bytes, '\x55');
    return blocks.size();
}

char* FakeWindow::clipboard_lock(ClipboardBlock block)
{
    if (fail_lock || block == 0 || block > blocks.size())
        return nullptr;
    return blocks[block - 1].data();
}

void FakeWindow::clipboard_set_text(ClipboardBlock block)
{
    const std::vector<char>& b = blocks.at(block - 1);
    clipboard.assign(b.data(), strnlen(b.data(), b.size()));
}

WindowRef FakeWindow::reference_window(WindowRef window)
{
    auto it = parents.find(window);
    return it == parents.end() ? DESKTOP : it->second;
}

void FakeWindow::move_to_top(WindowRef window, int x, int y)
{
    WindowRect& r = rects[window];
    int w = r.right - r.left, h = r.bottom - r.top;
    r = {x, y, x + w, y + h};
}
