// fake_window.cpp: the recording window seam and the user's actions on it.
#include "tests/support/fake_window.h"

#include <cstring>

#include "core/catalogue.h"
#include "core/controller.h"
#include "core/field.h"

ClipboardBlock FakeWindow::clipboard_alloc(std::size_t bytes)
{
    last_alloc_bytes = bytes;
    if (fail_alloc)
        return 0;
    blocks.emplace_back(bytes, '\x55');
    return blocks.size();
}

void FakeWindow::clipboard_set_text(ClipboardBlock block)
{
    const std::vector<char>& b = blocks.at(block - 1);
    clipboard.assign(b.data(), strnlen(b.data(), b.size()));
}

void FakeWindow::move_to_top(WindowRef window, int x, int y)
{
    WindowRect& r = rects[window];
    r = {x, y, x + r.right - r.left, y + r.bottom - r.top};
}

void open_window(FakeWindow& w)
{
    std::memset(g_field, 0, sizeof g_field);
    for (BitmapSlot& slot : bitmap_table)
        slot.image = 0;
    current_row = 0;
    g_window = &w;
    w.rects[FakeWindow::DESKTOP] = {0, 0, 1280, 1024};
    w.rects[FakeWindow::MAIN] = {0, 0, 800, 700};
    controller_init();
}

void choose_row(FakeWindow& w, int row)
{
    w.list_select(IDC_OPERATION_LIST, row);
    controller_command(IDC_OPERATION_LIST, NOTIFY_LIST_SELECTION_CHANGED);
}

void type_text(FakeWindow& w, int field, std::string_view text)
{
    FakeControl& edit = w[field_edit_id[field]];
    edit.text = text.substr(0, edit.text_limit > 0 ? static_cast<std::size_t>(edit.text_limit) : text.size());
    controller_command(field_edit_id[field], NOTIFY_EDIT_CHANGE);
}

void set_box(FakeWindow& w, int control_id, bool ticked)
{
    w[control_id].checked = ticked;
    controller_command(control_id, 0);
}

void select_mode(FakeWindow& w, int radio_id)
{
    for (int id : {IDC_RADIO_ECB, IDC_RADIO_CBC, IDC_RADIO_MAC})
        w[id].checked = id == radio_id;
    controller_command(radio_id, 0);
}

bool press_go(FakeWindow& w)
{
    controller_command(IDC_GO, 0);
    if (!w.timer)
        return false;
    controller_timer(*w.timer);
    return true;
}
