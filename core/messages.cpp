// messages.cpp: error boxes owned by the main window.
#include "core/messages.h"

#include "core/catalogue.h"
#include "core/seam.h"

void show_error(std::string_view text) { g_window->message_box(text, CAPTION_ERROR, MessageIcon::Error); }

void show_field_error(int field_index, std::string_view text)
{
    show_error(text);
    g_window->select_all_and_focus(field_edit_id[field_index]);
}
