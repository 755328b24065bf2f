// fake_window.cpp: the recording window seam.
#include "tests/support/fake_window.h"

#include <cstring>

#include "core/catalogue.h"

ClipboardBlock FakeWindow::clipboard_alloc(std::size_t bytes)
{
    last_alloc_bytes = bytes;
    if (fail_alloc)
        return 0;
    blocks.emplace_back(bytes, '\x55');
    return blocks.size();
}

char* FakeWindow::clipboard_lock(ClipboardBlock b)
{
    if (fail_lock || !b || b > blocks.size())
        return nullptr;
    locked_blocks.insert(b);
    return blocks[b - 1].data();
}

void FakeWindow::clipboard_set_text(ClipboardBlock block)
{
    if (locked_blocks.count(block))
        return;
    const std::vector<char>& b = blocks.at(block - 1);
    clipboard.assign(b.data(), strnlen(b.data(), b.size()));
}

void FakeWindow::move_to_top(WindowRef window, int x, int y)
{
    WindowRect& r = rects[window];
    r = {x, y, x + r.right - r.left, y + r.bottom - r.top};
}
