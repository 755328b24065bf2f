// fuzz_driver.cpp: the shared fuzzing helpers.
#include "tests/fuzz/fuzz_driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/controller.h"
#include "core/field.h"

std::string FuzzInput::text(std::size_t max)
{
    std::string out;
    while (pos_ < size_ && data_[pos_] != 0xFF) {
        if (data_[pos_] != 0 && out.size() < max)
            out.push_back(static_cast<char>(data_[pos_]));
        ++pos_;
    }
    if (pos_ < size_)
        ++pos_;
    return out;
}

std::string FuzzInput::rest(std::size_t max)
{
    std::string out;
    for (; pos_ < size_; ++pos_)
        if (data_[pos_] != 0 && out.size() < max)
            out.push_back(static_cast<char>(data_[pos_]));
    return out;
}

void open_window(FakeWindow& w)
{
    std::memset(g_field, 0, sizeof g_field);
    for (BitmapSlot& slot : bitmap_table)
        slot.image = 0;
    g_window = &w;
    w.rects[FakeWindow::DESKTOP] = {0, 0, 1280, 1024};
    controller_init();
}

void choose_row(FakeWindow& w, int row)
{
    w.list_select(IDC_OPERATION_LIST, row);
    controller_command(IDC_OPERATION_LIST, NOTIFY_LIST_SELECTION_CHANGED);
}

void type_text(FakeWindow& w, int field, std::string_view text)
{
    int id = field_edit_id[field];
    w[id].text = text.substr(0, FIELD_MAX_TEXT);
    controller_command(id, 0x0300);
}

void set_box(FakeWindow& w, int control_id, bool ticked)
{
    w[control_id].checked = ticked;
    controller_command(control_id, 0);
}

void press_go(FakeWindow& w)
{
    controller_command(IDC_GO, 0);
    if (!w.timer)
        invariant_broken("GO! started no timer");
    controller_timer(*w.timer);
}

std::string cleaned_hex(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))
            out.push_back(c);
        else if (c >= 'a' && c <= 'f')
            out.push_back(static_cast<char>(c - 'a' + 'A'));
    }
    return out;
}

void invariant_broken(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "invariant broken: %s\n%s\n", what, detail.c_str());
    std::abort();
}
