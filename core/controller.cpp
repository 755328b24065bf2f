// controller.cpp: the main window's behaviour: start-up, the commands of its controls, and the GO! run.
#include "core/controller.h"

#include <cstring>

#include "core/field.h"
#include "core/handlers.h"
#include "core/layout.h"
#include "core/messages.h"
#include "core/version.h"

WindowSeam* g_window = nullptr;
std::int32_t current_row = 0;

namespace {

constexpr const char* WINDOW_TITLE = "Tabrix! V" TABRIX_VERSION " - Vornal (https://tabrix.vornal.example)";

void enable_go_from_field0() { g_window->enable(IDC_GO, g_field[0].length != 0); }

// Index of the field whose edit or ASCII box this is, or -1.
int field_of_control(int control_id)
{
    for (int i = 0; i < FIELD_COUNT; ++i)
        if (control_id == field_edit_id[i] || control_id == field_ascii_id[i])
            return i;
    return -1;
}

int field_of_adjust(int control_id)
{
    for (int i = 0; i < 4; ++i)
        if (control_id == field_adjust_id[i])
            return i;
    return -1;
}

// An edit or ASCII box of field i changed: recount an input, re-render an output.
void field_changed(int i)
{
    const OperationRow& row = selected_row();
    if (field_is_output(row, i))
        field_show(i);
    else
        recount_field(i);
    if (i == 0)
        enable_go_from_field0();
    if (i == 2 && (row.flags & OPF_CHECK_VALUE) && row.check_value)
        row.check_value();
}

void copy_to_input()
{
    g_window->set_checked(field_ascii_id[0], false);
    g_field[0].length = g_field[4].length;
    std::memcpy(g_field[0].data, g_field[4].data, static_cast<std::size_t>(g_field[4].length));
    field_show(0);
}

void clear_all()
{
    std::memset(g_field, 0, sizeof g_field);
    for (int i = 0; i < FIELD_COUNT; ++i)
        field_show(i);
    g_window->enable(IDC_GO, false);
}

void start_run()
{
    g_verdict = Verdict::None;
    g_window->enable(IDC_GO, false);
    std::memset(g_field, 0, sizeof g_field);
    clear_outputs();
    g_window->start_timer(RUN_TIMER_ID, RUN_DELAY_MS);
}

void choose_row()
{
    int selection = g_window->list_selection(IDC_OPERATION_LIST);
    if (selection < 0 || selection >= CATALOGUE_ROWS - 1)
        return;
    const std::uint32_t flags_before = selected_row().flags;
    current_row = selection;
    layout_for_row();
    // A field that turns from bytes to digits or text (or back) is counted again in its new unit.
    const OperationRow& row = selected_row();
    for (int i = 0; i < FIELD_COUNT; ++i) {
        if (!((flags_before ^ row.flags) & (OPF_DIGITS(i) | OPF_TEXT(i))))
            continue;
        if (field_is_output(row, i))
            show_counter(i);
        else
            recount_field(i);
    }
}

} // namespace

void controller_init()
{
    g_window->set_title(WINDOW_TITLE);
    g_window->set_program_icons();
    for (BitmapSlot& slot : bitmap_table)
        if (slot.id != 0)
            slot.image = g_window->load_picture(slot.id);
    for (int i = 0; i < 4; ++i)
        g_window->limit_text(field_edit_id[i], FIELD_MAX_TEXT);
    select_block_mode(IDC_RADIO_ECB);
    g_window->enable(IDC_GO, false);
    g_window->show(IDC_CHECK_VALUE, false);
    for (int i = 0; catalogue[i].id != OP_END; ++i)
        g_window->list_add(IDC_OPERATION_LIST, catalogue[i].name);
    g_window->list_select(IDC_OPERATION_LIST, 0);
    current_row = 0;
    layout_for_row();
    centre_window(g_window->main_window());
}

void controller_command(int control_id, int notify_code)
{
    if (control_id == IDC_OPERATION_LIST) {
        if (notify_code == NOTIFY_LIST_SELECTION_CHANGED)
            choose_row();
        return;
    }
    if (int i = field_of_control(control_id); i >= 0) {
        // An output's edit is read-only: its focus and scrolling notifications must not re-render it,
        // which would throw away the user's scroll position and selection. Its ASCII box re-renders.
        if (control_id != field_edit_id[i] || !field_is_output(selected_row(), i))
            field_changed(i);
        return;
    }
    if (int i = field_of_adjust(control_id); i >= 0) {
        field_load(i, 0, 1);
        if (i == 0)
            enable_go_from_field0();
        return;
    }

    switch (control_id) {
    case IDC_LOGO:
        g_window->open_about_box();
        break;
    case IDC_RADIO_ECB:
    case IDC_RADIO_CBC:
        g_window->enable(IDC_EDIT3, control_id == IDC_RADIO_CBC);
        g_window->set_checked(IDC_PADDING, false);
        g_window->enable(IDC_PADDING, false);
        break;
    case IDC_RADIO_MAC:
        g_window->enable(IDC_EDIT3, true);
        g_window->enable(IDC_PADDING, true);
        break;
    case IDC_USE_IPEK:
        show_field2_look(g_window->checked(IDC_USE_IPEK));
        break;
    case IDC_COPY_TO_INPUT:
        copy_to_input();
        break;
    case IDC_CLEAR_OUTPUT:
        clear_outputs();
        break;
    case IDC_CLEAR_ALL:
        clear_all();
        break;
    case IDC_COPY_TO_CLIPBOARD:
        copy_to_clipboard();
        break;
    case IDC_GO:
        start_run();
        break;
    case IDC_CMD_ESCAPE:
    case COMMAND_CANCEL:
        controller_close();
        break;
    default:
        break;
    }
}

void controller_timer(unsigned timer_id)
{
    if (timer_id != RUN_TIMER_ID)
        return;
    g_window->stop_timer(RUN_TIMER_ID);
    g_window->set_cursor(CursorKind::Wait);
    if (OperationHandler handler = selected_row().handler)
        handler();
    else
        show_error(MSG_INTERNAL_ERROR);
    g_window->set_cursor(CursorKind::Arrow);
    g_window->enable(IDC_GO, true);
}

void controller_close() { g_window->quit(0); }

void controller_destroy()
{
    for (BitmapSlot& slot : bitmap_table) {
        if (slot.image)
            g_window->free_picture(slot.image);
        slot.image = 0;
    }
}

void clear_outputs()
{
    const OperationRow& row = selected_row();
    for (int i = 4; i >= 1; --i) {
        if (field_is_output(row, i)) {
            g_field[i].length = 0;
            field_show(i);
        }
    }
}
