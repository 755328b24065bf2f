// actions.cpp: the user's actions, through the same controller entries the window shell calls.
#include "cli/actions.h"

#include <cstring>

#include "core/catalogue.h"
#include "core/controller.h"
#include "core/field.h"

void open_window(HeadlessWindow& w)
{
    std::memset(g_field, 0, sizeof g_field);
    for (BitmapSlot& slot : bitmap_table)
        slot.image = 0;
    current_row = 0;
    g_verdict = Verdict::None;
    g_window = &w;
    controller_init();
}

void choose_row(HeadlessWindow& w, int row)
{
    w.list_select(IDC_OPERATION_LIST, row);
    controller_command(IDC_OPERATION_LIST, NOTIFY_LIST_SELECTION_CHANGED);
}

void type_text(HeadlessWindow& w, int field, std::string_view text)
{
    HeadlessControl& edit = w[field_edit_id[field]];
    edit.text = text.substr(0, edit.text_limit > 0 ? static_cast<std::size_t>(edit.text_limit) : text.size());
    controller_command(field_edit_id[field], NOTIFY_EDIT_CHANGE);
}

void set_box(HeadlessWindow& w, int control_id, bool ticked)
{
    w[control_id].checked = ticked;
    controller_command(control_id, 0);
}

void select_mode(HeadlessWindow& w, int radio_id)
{
    for (int id : {IDC_RADIO_ECB, IDC_RADIO_CBC, IDC_RADIO_MAC})
        w[id].checked = id == radio_id;
    controller_command(radio_id, 0);
}

bool press_go(HeadlessWindow& w)
{
    controller_command(IDC_GO, 0);
    return w.fire_timer();
}

void reset_form(HeadlessWindow& w)
{
    w.messages.clear();
    w.focus = 0;
    w.timer.reset();
    for (int i = 0; i < FIELD_COUNT; ++i)
        w[field_ascii_id[i]].checked = false;
    w[IDC_PADDING].checked = w[IDC_USE_IPEK].checked = false;
    for (int id : {IDC_RADIO_ECB, IDC_RADIO_CBC, IDC_RADIO_MAC})
        w[id].checked = id == IDC_RADIO_ECB;
    choose_row(w, 0);
    controller_command(IDC_CLEAR_ALL, 0);
    g_verdict = Verdict::None;
}
