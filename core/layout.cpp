// layout.cpp: lays the main window out for the selected row: titles, pictures, inputs and outputs,
// block-mode controls, Padding and "Use IPEK".
#include "core/layout.h"

#include "core/controller.h"
#include "core/field.h"

namespace {

// The tick-box that puts a family's initial key in field 2 instead of its BDK: its text, and field 2's look.
struct InitialKeyOption {
    const char* box;
    const char* title;
    std::int32_t picture;
};

constexpr InitialKeyOption IPEK_OPTION = {"Use IPEK", "Triple-DES IPEK - Initial PIN Encryption Key (16 bytes):", 115};
constexpr InitialKeyOption IK_OPTION = {"Use IK", "AES DUKPT IK - Initial Key (16, 24 or 32 bytes):", 115};

const InitialKeyOption& initial_key_option(const OperationRow& row)
{
    return (row.flags & OPF_AES_IK) ? IK_OPTION : IPEK_OPTION;
}

void show_picture(int control_id, std::int32_t icon)
{
    PictureRef picture = resolve_icon(icon);
    if (picture)
        g_window->set_picture(control_id, picture);
    g_window->show(control_id, picture != 0);
}

void lay_out_field(const OperationRow& row, int i)
{
    const char* label = row.field[i].label;
    bool shown = label != nullptr;
    g_window->set_text(field_label_id[i], shown ? label : "");
    for (int id : {field_label_id[i], field_edit_id[i], field_counter_id[i]})
        g_window->show(id, shown);
    // The ASCII box, Adjust (parity) and Padding act on bytes: beside digits or text they would mislead.
    const bool bytes = shown && field_kind(row, i) == FieldKind::Hex;
    g_window->show(field_ascii_id[i], bytes);
    if (i == 0)
        g_window->show(IDC_PADDING, bytes);
    if (i < 4) {
        g_window->show(field_adjust_id[i], bytes);
        g_window->limit_text(field_edit_id[i], field_text_limit(i));
    } else {
        g_window->show(IDC_COPY_TO_INPUT, shown);
    }

    if (row.id == OP_SEPARATOR && i == 0)
        g_window->show(field_icon_id[0], false); // a separator's icon[0] is its centre picture
    else
        show_picture(field_icon_id[i], row.field[i].icon);
}

// Steps through ECB, CBC and MAC until the selection is a mode the row allows.
void bring_mode_into_row(const OperationRow& row)
{
    for (int pass = 0; pass < 2; ++pass) {
        if (g_window->checked(IDC_RADIO_MAC)) {
            if (row.flags & OPF_MAC) {
                g_window->enable(IDC_PADDING, true);
                return;
            }
            select_block_mode(IDC_RADIO_ECB);
        }
        if (g_window->checked(IDC_RADIO_ECB)) {
            if (row.flags & OPF_ECB)
                return;
            select_block_mode(IDC_RADIO_CBC);
        }
        if (g_window->checked(IDC_RADIO_CBC)) {
            if (row.flags & OPF_CBC)
                return;
            select_block_mode(IDC_RADIO_MAC);
        }
    }
}

} // namespace

void select_block_mode(int radio_id)
{
    for (int id : {IDC_RADIO_ECB, IDC_RADIO_CBC, IDC_RADIO_MAC})
        g_window->set_checked(id, id == radio_id);
}

void show_field2_look(bool use_ipek)
{
    const OperationRow& row = selected_row();
    const InitialKeyOption& option = initial_key_option(row);
    show_picture(IDC_ICON2, use_ipek ? option.picture : row.field[2].icon);
    const char* label = use_ipek ? option.title : row.field[2].label;
    g_window->set_text(IDC_LABEL2, label ? label : "");
}

void layout_for_row()
{
    const OperationRow& row = selected_row();
    const std::uint32_t tail = row_tail(row);
    const bool operation = row.id != OP_SEPARATOR;

    for (int i = 0; i < 5; ++i)
        lay_out_field(row, i);

    g_window->set_read_only(IDC_EDIT1, tail == TAIL_FIELD1);
    g_window->set_read_only(IDC_EDIT2, tail >= TAIL_FIELD2);
    g_window->set_read_only(IDC_EDIT3, tail >= TAIL_FIELD3);
    if (tail == TAIL_FIELD1)
        g_window->show(IDC_ADJUST1, false);
    if (tail >= TAIL_FIELD2)
        g_window->show(IDC_ADJUST2, false);
    if (tail >= TAIL_FIELD3)
        g_window->show(IDC_ADJUST3, false);

    for (int id : {IDC_CLEAR_OUTPUT, IDC_CLEAR_ALL, IDC_COPY_TO_CLIPBOARD, IDC_GO})
        g_window->show(id, operation);

    PictureRef centre = 0;
    if (!operation && row.field[0].icon >= 0)
        centre = resolve_icon(row.field[0].icon);
    if (centre)
        g_window->set_picture(IDC_CENTRE_PICTURE, centre);
    g_window->show(IDC_CENTRE_PICTURE, centre != 0);

    g_window->set_text(IDC_HELP_TEXT, row.help ? row.help : "");

    if (row.flags & OPF_CHECK_VALUE) {
        g_window->show(IDC_CHECK_VALUE, true);
        if (row.check_value)
            row.check_value();
    } else {
        g_window->show(IDC_CHECK_VALUE, false);
    }

    g_window->show(IDC_USE_IPEK, (row.flags & OPF_IPEK_OPTION) != 0);
    if (row.flags & OPF_IPEK_OPTION)
        g_window->set_text(IDC_USE_IPEK, initial_key_option(row).box);
    g_window->set_checked(IDC_USE_IPEK, false);

    for (int id : {IDC_ARROW_OUT, IDC_ARROW3, IDC_ARROW2, IDC_ARROW1})
        g_window->show(id, false);
    if (operation) {
        constexpr int arrow_for_tail[4] = {IDC_ARROW_OUT, IDC_ARROW3, IDC_ARROW2, IDC_ARROW1};
        g_window->show(arrow_for_tail[tail >> 14], true);
    }

    g_window->set_checked(IDC_PADDING, false);
    g_window->enable(IDC_PADDING, false);

    const int mode_controls[] = {IDC_BLOCK_MODE_PICTURE, IDC_BLOCK_MODE_LABEL, IDC_RADIO_CBC, IDC_RADIO_ECB,
                                 IDC_RADIO_MAC};
    if (row.flags & (OPF_ECB | OPF_CBC)) {
        for (int id : mode_controls)
            g_window->show(id, true);
        bring_mode_into_row(row);
        g_window->enable(IDC_RADIO_CBC, (row.flags & OPF_CBC) != 0);
        g_window->enable(IDC_RADIO_ECB, (row.flags & OPF_ECB) != 0);
        g_window->enable(IDC_RADIO_MAC, (row.flags & OPF_MAC) != 0);
        g_window->enable(IDC_EDIT3, !g_window->checked(IDC_RADIO_ECB));
    } else {
        for (int id : mode_controls)
            g_window->show(id, false);
        g_window->enable(IDC_EDIT3, true);
        if (row.flags & OPF_MAC) {
            select_block_mode(IDC_RADIO_MAC);
            g_window->enable(IDC_PADDING, true);
        }
    }
}
