// The commands of the main window: GO!, Copy to Input, Clear Output, Clear All, Copy to Clipboard, ESC, logo.
#include <cstring>

#include "core/field.h"
#include "tests/support/workbench.h"

using Commands = Workbench;

namespace {

void put_output(int field, std::string_view hex)
{
    std::string bytes = hex_bytes(hex);
    std::memcpy(g_field[field].data, bytes.data(), bytes.size());
    g_field[field].length = static_cast<std::int32_t>(bytes.size());
    field_show(field);
}

} // namespace

TEST_F(Commands, GoClearsOutputsThenRunsWhenTheTimerFires)
{
    choose("XOR");
    type(0, "0102");
    put_output(4, "DEAD");
    controller_command(IDC_GO, 0);
    EXPECT_FALSE(w[IDC_GO].enabled);
    EXPECT_EQ(output(), "");
    EXPECT_EQ(counter(4), "0 bytes");
    ASSERT_EQ(w.timer, RUN_TIMER_ID);
    EXPECT_EQ(w.timer_delay, 150u);
    EXPECT_EQ(g_field[0].length, 0) << "every buffer is zeroed before the run";

    controller_timer(RUN_TIMER_ID + 1); // another timer is ignored
    EXPECT_TRUE(w.timer.has_value());
    controller_timer(RUN_TIMER_ID);
    EXPECT_FALSE(w.timer.has_value());
    EXPECT_EQ(output(), "0102");
    EXPECT_TRUE(w[IDC_GO].enabled);
    ASSERT_EQ(w.cursor_history.size(), 2u);
    EXPECT_EQ(w.cursor_history[0], CursorKind::Wait);
    EXPECT_EQ(w.cursor_history[1], CursorKind::Arrow);
}

TEST_F(Commands, TheHandlerOfTheRowSelectedWhenTheTimerFiresRuns)
{
    choose("XOR");
    type(0, "0F");
    controller_command(IDC_GO, 0);
    choose("Parity Adjust (lsb odd)");
    controller_timer(RUN_TIMER_ID);
    EXPECT_EQ(output(), "0E");
}

TEST_F(Commands, GoReachingASeparatorAnswersError)
{
    controller_command(IDC_GO, 0);
    controller_timer(RUN_TIMER_ID);
    EXPECT_EQ(last_message(), "ERROR!");
    EXPECT_TRUE(w[IDC_GO].enabled);
}

TEST_F(Commands, FailedRunLeavesOutputsEmptyAndGoEnabled)
{
    choose("XOR");
    type(0, "12 34");
    type(1, "ab cd");
    type(2, "123");
    type(3, "ff");
    put_output(4, "AA");
    run();
    EXPECT_EQ(last_message(), "Invalid field size!");
    EXPECT_EQ(w.focus, IDC_EDIT2);
    EXPECT_EQ(output(), "");
    EXPECT_TRUE(w[IDC_GO].enabled);
    EXPECT_EQ(text(0), "1234") << "read before the failure: cleaned";
    EXPECT_EQ(text(1), "ABCD");
    EXPECT_EQ(text(2), "123") << "the failing field keeps its text";
    EXPECT_EQ(text(3), "ff") << "never read";
}

TEST_F(Commands, CopyToInputTakesTheOutputBytesAsHexadecimal)
{
    choose("XOR");
    set_ascii(0, true);
    type(0, "AB");
    run();
    EXPECT_EQ(output(), "4142");
    w[IDC_ASCII_OUT].checked = true;
    controller_command(IDC_ASCII_OUT, 0);
    EXPECT_EQ(output(), "AB");
    bool go = w[IDC_GO].enabled;
    click(IDC_COPY_TO_INPUT);
    EXPECT_FALSE(w[IDC_ASCII0].checked);
    EXPECT_EQ(text(0), "4142");
    EXPECT_EQ(counter(0), "2 bytes");
    EXPECT_EQ(w[IDC_GO].enabled, go);
}

TEST_F(Commands, ClearOutputEmptiesOnlyTheRowsOutputs)
{
    choose("RSA Key Generation");
    type(0, "10");
    type(1, "03");
    put_output(2, "0102");
    put_output(3, "03");
    put_output(4, "0405");
    click(IDC_CLEAR_OUTPUT);
    for (int i : {2, 3, 4}) {
        EXPECT_EQ(text(i), "") << i;
        EXPECT_EQ(counter(i), "0 bytes") << i;
    }
    EXPECT_EQ(text(0), "10");
    EXPECT_EQ(text(1), "03");
}

TEST_F(Commands, OutputAsciiBoxRerendersAnOutputFieldButItsEditNeverDoes)
{
    choose("RSA Key Generation");
    put_output(2, "41420A");
    set_ascii(2, true);
    EXPECT_EQ(text(2), "AB.");
    set_ascii(2, false);
    EXPECT_EQ(text(2), "41420A");

    // Scrolling (EN_VSCROLL) or focusing an output's edit leaves its text, and so its scroll position.
    w[IDC_EDIT2].text = "41420A ";
    w[IDC_EDIT_OUT].text = "C0FFEE ";
    for (int notification : {0x0602, 0x0100}) {
        controller_command(IDC_EDIT2, notification);
        controller_command(IDC_EDIT_OUT, notification);
    }
    EXPECT_EQ(text(2), "41420A ");
    EXPECT_EQ(output(), "C0FFEE ");
}

TEST_F(Commands, ClearAllEmptiesEveryFieldAndDisablesGo)
{
    choose("XOR");
    type(0, "1234");
    type(3, "56");
    click(IDC_CLEAR_ALL);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(counter(i), "0 bytes");
        EXPECT_EQ(text(i), "");
    }
    EXPECT_FALSE(w[IDC_GO].enabled);
}

TEST_F(Commands, CopyToClipboardOfASingleOutputRow)
{
    choose("XOR");
    type(0, "0a0b");
    run();
    click(IDC_COPY_TO_CLIPBOARD);
    EXPECT_EQ(w.clipboard, "0A0B");
    EXPECT_EQ(w.last_alloc_bytes, 8712u);
    EXPECT_FALSE(w.clipboard_is_open);
    ASSERT_FALSE(w.messages.empty());
    EXPECT_EQ(w.messages.back().text, "Data successfully copied.");
    EXPECT_EQ(w.messages.back().caption, "Tabrix!");
    EXPECT_EQ(w.messages.back().icon, MessageIcon::Information);

    click(IDC_CLEAR_OUTPUT);
    click(IDC_COPY_TO_CLIPBOARD);
    EXPECT_EQ(w.clipboard, "");
    EXPECT_EQ(last_message(), "Data successfully copied.");
}

TEST_F(Commands, CopyToClipboardOfKeyGenerationHasTitles)
{
    choose("RSA Key Generation");
    put_output(2, "ABCD");
    put_output(4, "C0FFEE");
    click(IDC_COPY_TO_CLIPBOARD);
    EXPECT_EQ(w.clipboard, "PRIVATE Exponent:\r\nABCD\r\nKey Modulus:\r\nC0FFEE\r\n");
}

TEST_F(Commands, CopyToClipboardNeverWritesPastItsBlock)
{
    // Both outputs at their longest: 2 x 2048 digits and the titles fit; the block is never overrun.
    choose("RSA Key Generation");
    for (int i : {2, 4}) {
        std::memset(g_field[i].data, 0xAB, FIELD_MAX_BYTES);
        g_field[i].length = FIELD_MAX_BYTES;
        field_show(i);
    }
    w[IDC_EDIT2].text += std::string(8000, 'Z'); // whatever the edits hold
    click(IDC_COPY_TO_CLIPBOARD);
    ASSERT_EQ(w.blocks.size(), 1u);
    EXPECT_EQ(w.blocks[0].size(), 8712u);
    EXPECT_EQ(w.clipboard.size(), 8711u);
    EXPECT_TRUE(w.clipboard.starts_with("PRIVATE Exponent:\r\nABAB"));
}

TEST_F(Commands, ClipboardMemoryFailuresSayError)
{
    choose("XOR");
    w.fail_alloc = true;
    click(IDC_COPY_TO_CLIPBOARD);
    EXPECT_EQ(last_message(), "ERROR!");
    EXPECT_FALSE(w.clipboard_is_open);
    EXPECT_TRUE(w.clipboard_emptied);

    w.fail_alloc = false;
    w.fail_lock = true;
    click(IDC_COPY_TO_CLIPBOARD);
    EXPECT_EQ(last_message(), "ERROR!");
    EXPECT_EQ(w.freed_blocks.size(), 1u);
    EXPECT_FALSE(w.clipboard_is_open);
    EXPECT_EQ(w.clipboard, "");
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
