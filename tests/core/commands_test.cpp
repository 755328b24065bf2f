// The commands of the main window: GO!, Copy to Input, Clear Output, Clear All, Copy to Clipboard, ESC, logo.
#include <cstring>

#include "tests/support/workbench.h"

namespace {

class Commands : public Workbench {
protected:
    void put_output(int field, std::string_view hex)
    {
        const Bytes bytes = from_hex(hex);
        std::memcpy(g_field[field].data, bytes.data(), bytes.size());
        g_field[field].length = static_cast<std::int32_t>(bytes.size());
        field_show(field);
    }
};

// GO! clears the outputs and every buffer, shows the wait cursor and starts the timer; the handler of the
// row selected when it fires runs; a separator answers "ERROR!".
TEST_F(Commands, GoClearsOutputsThenRunsWhenTheTimerFires)
{
    choose("XOR");
    type(0, "0F");
    put_output(4, "DEAD");
    controller_command(IDC_GO, 0);
    EXPECT_FALSE(w[IDC_GO].enabled);
    EXPECT_EQ(output() + counter(4), "0 bytes");
    ASSERT_EQ(w.timer, RUN_TIMER_ID);
    EXPECT_EQ(g_field[0].length, 0) << "every buffer is zeroed before the run";
    controller_timer(RUN_TIMER_ID + 1); // another timer is ignored
    EXPECT_TRUE(w.timer.has_value());
    choose("Parity Adjust (lsb odd)");
    controller_timer(RUN_TIMER_ID);
    EXPECT_FALSE(w.timer.has_value());
    EXPECT_EQ(output(), "0E");
    EXPECT_TRUE(w[IDC_GO].enabled);
    EXPECT_EQ(w.cursor_history, (std::vector{CursorKind::Wait, CursorKind::Arrow}));

    choose("======================= HASH FUNCTIONS ========================");
    run();
    EXPECT_EQ(last_message(), "ERROR!");
    EXPECT_TRUE(w[IDC_GO].enabled);
}

TEST_F(Commands, CopyToInputTakesTheOutputBytesAsHexadecimal)
{
    choose("XOR");
    set_ascii(0, true);
    run_with("AB");
    set_box(w, IDC_ASCII_OUT, true);
    EXPECT_EQ(output(), "AB");
    const bool go = w[IDC_GO].enabled;
    click(IDC_COPY_TO_INPUT);
    EXPECT_EQ(text(0) + " " + counter(0) + (w[IDC_ASCII0].checked ? " ASCII" : ""), "4142 2 bytes");
    EXPECT_EQ(w[IDC_GO].enabled, go);
}

// Clear Output empties only the row's outputs; an output's ASCII box re-renders it, but notifications of its
// edit (focus, scrolling) never do, which would reset the user's scroll position; Clear All empties all.
TEST_F(Commands, ClearingAndRenderingOutputs)
{
    choose("RSA Key Generation");
    type(0, "10");
    type(1, "03");
    put_output(2, "00417F1F80");
    set_ascii(2, true);
    EXPECT_EQ(text(2), std::string(".A\x7F.\x80")) << "bytes below 0x20 as dots";
    set_ascii(2, false);
    EXPECT_EQ(text(2) + " " + counter(2), "00417F1F80 5 bytes");
    w[IDC_EDIT2].text = "41420A ";
    w[IDC_EDIT_OUT].text = "C0FFEE ";
    for (int notification : {0x0602, 0x0100}) {
        controller_command(IDC_EDIT2, notification);
        controller_command(IDC_EDIT_OUT, notification);
    }
    EXPECT_EQ(text(2) + output(), "41420A C0FFEE ");
    put_output(3, "03");
    click(IDC_CLEAR_OUTPUT);
    for (int i : {2, 3, 4})
        EXPECT_EQ(text(i) + counter(i), "0 bytes") << i;
    EXPECT_EQ(text(0) + text(1), "1003");
    click(IDC_CLEAR_ALL);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(text(i) + counter(i), "0 bytes") << i;
    EXPECT_FALSE(w[IDC_GO].enabled);
}

// The output, "Data successfully copied."; key generation's outputs with titles, at their longest (2 x 2048
// digits) filling the block exactly; memory that cannot be had or locked says "ERROR!" and closes the clipboard.
TEST_F(Commands, CopyToClipboard)
{
    choose("XOR");
    run_with("0a0b");
    click(IDC_COPY_TO_CLIPBOARD);
    EXPECT_EQ(w.clipboard + " " + std::to_string(w.last_alloc_bytes), "0A0B 8712");
    ASSERT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(w.messages[0].text + " / " + w.messages[0].caption, "Data successfully copied. / Tabrix!");
    EXPECT_EQ(w.messages[0].icon, MessageIcon::Information);

    choose("RSA Key Generation");
    put_output(2, "ABCD");
    put_output(4, "C0FFEE");
    click(IDC_COPY_TO_CLIPBOARD);
    EXPECT_EQ(w.clipboard, "PRIVATE Exponent:\r\nABCD\r\nKey Modulus:\r\nC0FFEE\r\n");
    for (int i : {2, 4}) {
        std::memset(g_field[i].data, 0xAB, FIELD_MAX_BYTES);
        g_field[i].length = FIELD_MAX_BYTES;
        field_show(i);
    }
    w[IDC_EDIT2].text += std::string(8000, 'Z'); // whatever the edits hold
    click(IDC_COPY_TO_CLIPBOARD);
    EXPECT_EQ(w.blocks.back().size(), 8712u);
    EXPECT_EQ(w.clipboard.size(), 8711u);
    EXPECT_TRUE(w.clipboard.starts_with("PRIVATE Exponent:\r\nABAB"));
    EXPECT_FALSE(w.clipboard_is_open);

    w.fail_alloc = true;
    click(IDC_COPY_TO_CLIPBOARD);
    EXPECT_EQ(last_message() + w.clipboard, "ERROR!");
    EXPECT_FALSE(w.clipboard_is_open);
    w.fail_alloc = false;
    w.fail_lock = true;
    click(IDC_COPY_TO_CLIPBOARD);
    EXPECT_EQ(last_message() + w.clipboard, "ERROR!");
    EXPECT_EQ(w.freed_blocks, std::set<ClipboardBlock>{w.blocks.size()});
    EXPECT_FALSE(w.clipboard_is_open);
}

TEST_F(Commands, EscapeLogoDropListAndDestroy)
{
    for (int command : {IDC_CMD_ESCAPE, COMMAND_CANCEL}) {
        w.exit_code.reset();
        controller_command(command, 0);
        EXPECT_EQ(w.exit_code, 0);
    }
    click(IDC_LOGO);
    EXPECT_EQ(w.about_boxes_opened, 1);
    w.list_select(IDC_OPERATION_LIST, row_index("AES"));
    controller_command(IDC_OPERATION_LIST, 3); // CBN_SETFOCUS is ignored
    EXPECT_EQ(current_row, 0);
    controller_command(IDC_OPERATION_LIST, NOTIFY_LIST_SELECTION_CHANGED);
    EXPECT_EQ(current_row, row_index("AES"));
    controller_destroy();
    EXPECT_TRUE(w.loaded_pictures.empty());
}

} // namespace
