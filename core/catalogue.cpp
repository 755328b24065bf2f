// catalogue.cpp: what the controller needs of the catalogue beside its rows: which fields are outputs,
// the control ids of each field and the pictures.
#include "core/catalogue.h"

bool field_is_output(const OperationRow& row, int index)
{
    std::uint32_t tail = row_tail(row);
    switch (index) {
    case 1: return tail == TAIL_FIELD1;
    case 2: return tail >= TAIL_FIELD2;
    case 3: return tail >= TAIL_FIELD3;
    case 4: return true;
    default: return false;
    }
}

const std::array<int, 5> field_edit_id = {IDC_EDIT0, IDC_EDIT1, IDC_EDIT2, IDC_EDIT3, IDC_EDIT_OUT};
const std::array<int, 5> field_label_id = {IDC_LABEL0, IDC_LABEL1, IDC_LABEL2, IDC_LABEL3, IDC_LABEL_OUT};
const std::array<int, 5> field_counter_id = {IDC_COUNT0, IDC_COUNT1, IDC_COUNT2, IDC_COUNT3, IDC_COUNT_OUT};
const std::array<int, 5> field_ascii_id = {IDC_ASCII0, IDC_ASCII1, IDC_ASCII2, IDC_ASCII3, IDC_ASCII_OUT};
const std::array<int, 5> field_adjust_id = {IDC_ADJUST0, IDC_ADJUST1, IDC_ADJUST2, IDC_ADJUST3, -1};
const std::array<int, 5> field_icon_id = {IDC_ICON0, IDC_ICON1, IDC_ICON2, IDC_ICON3, IDC_ICON_OUT};

std::array<BitmapSlot, BITMAP_SLOTS> bitmap_table = {{
    {115, 0}, {116, 0}, {117, 0}, {118, 0}, {120, 0}, {119, 0}, {141, 0}, {140, 0}, {121, 0},
    {122, 0}, {123, 0}, {124, 0}, {125, 0}, {126, 0}, {138, 0}, {139, 0}, {128, 0}, {129, 0},
    {130, 0}, {131, 0}, {137, 0}, {132, 0}, {133, 0}, {134, 0}, {135, 0}, {136, 0}, {0, 0},
}};

std::uintptr_t resolve_icon(std::int32_t icon)
{
    if (icon < 0)
        return 0;
    for (const BitmapSlot& slot : bitmap_table) {
        if (slot.id == 0)
            break;
        if (slot.id == icon)
            return slot.image;
    }
    return 0;
}
