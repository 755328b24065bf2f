// workbench.cpp: the fixture that opens the main window on the fake seam.
#include "tests/support/workbench.h"

#include <cstring>

void Workbench::SetUp()
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

void Workbench::TearDown()
{
    controller_destroy();
    g_window = nullptr;
}

int Workbench::row_index(std::string_view name)
{
    for (int i = 0; i < CATALOGUE_ROWS - 1; ++i)
        if (catalogue[i].name == name)
            return i;
    ADD_FAILURE() << "no row named " << name;
    return 0;
}

void Workbench::choose(std::string_view name)
{
    w.list_select(IDC_OPERATION_LIST, row_index(name));
    controller_command(IDC_OPERATION_LIST, NOTIFY_LIST_SELECTION_CHANGED);
}

void Workbench::type(int field, std::string_view t)
{
    int id = field_edit_id[field];
    FakeControl& edit = w[id];
    edit.text = t.substr(0, edit.text_limit > 0 ? static_cast<std::size_t>(edit.text_limit) : t.size());
    controller_command(id, NOTIFY_EDIT_CHANGE);
}

void Workbench::set_ascii(int field, bool ticked)
{
    int id = field_ascii_id[field];
    w[id].checked = ticked;
    controller_command(id, 0);
}

void Workbench::select_mode(int radio_id)
{
    for (int id : {IDC_RADIO_ECB, IDC_RADIO_CBC, IDC_RADIO_MAC})
        w[id].checked = id == radio_id;
    controller_command(radio_id, 0);
}

void Workbench::click(int control_id)
{
    if (control_id == IDC_PADDING || control_id == IDC_USE_IPEK)
        w[control_id].checked = !w[control_id].checked;
    controller_command(control_id, 0);
}

void Workbench::run()
{
    controller_command(IDC_GO, 0);
    ASSERT_TRUE(w.timer.has_value());
    controller_timer(*w.timer);
}

void Workbench::run_with(std::string_view f0, std::string_view f1, std::string_view f2, std::string_view f3)
{
    type(0, f0);
    type(1, f1);
    type(2, f2);
    type(3, f3);
    run();
}

std::string hex_bytes(std::string_view hex)
{
    std::string out;
    auto nibble = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<char>(nibble(hex[i]) << 4 | nibble(hex[i + 1])));
    return out;
}
