// clipboard.cpp: Copy to Clipboard: the outputs of the selected row as plain single-byte text.
#include <algorithm>
#include <cstring>
#include <string>

#include "core/controller.h"
#include "core/messages.h"

namespace {

constexpr std::string_view CRLF = "\r\n";

// The output text alone for a single-output row; otherwise title, CR LF, text, CR LF per output field.
std::string clipboard_text(const OperationRow& row)
{
    if (row_tail(row) == TAIL_NONE)
        return g_window->text(field_edit_id[4], CLIPBOARD_BLOCK_BYTES);
    std::string text;
    for (int i : {1, 2, 3, 4}) {
        if (!field_is_output(row, i) || row.field[i].label == nullptr)
            continue;
        text += row.field[i].label;
        text += CRLF;
        text += g_window->text(field_edit_id[i], CLIPBOARD_BLOCK_BYTES);
        text += CRLF;
    }
    return text;
}

} // namespace

void copy_to_clipboard()
{
    if (!g_window->clipboard_open()) {
        show_error(MSG_INTERNAL_ERROR);
        return;
    }
    g_window->clipboard_empty();

    ClipboardBlock block = g_window->clipboard_alloc(CLIPBOARD_BLOCK_BYTES);
    if (!block) {
        show_error(MSG_INTERNAL_ERROR);
        g_window->clipboard_close();
        return;
    }
    char* memory = g_window->clipboard_lock(block);
    if (!memory) {
        show_error(MSG_INTERNAL_ERROR);
        g_window->clipboard_free(block);
        g_window->clipboard_close();
        return;
    }

    const std::string text = clipboard_text(selected_row());
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(CLIPBOARD_BLOCK_BYTES - 1));
    std::memcpy(memory, text.data(), length);
    memory[length] = '\0';
    g_window->clipboard_unlock(block);
    g_window->clipboard_set_text(block);
    g_window->clipboard_close();

    g_window->message_box("Data successfully copied.", CAPTION_PROGRAM, MessageIcon::Information);
}
