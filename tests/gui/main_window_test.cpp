// main_window_test.cpp: the real main window under Wine, driven as a user drives it: start-up,
// the layout of a few rows, typing, runs with their output or message, the clipboard and ESC.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/controls.h"
#include "tests/gui/tabrix_process.h"

namespace {

constexpr const char* SYMMETRIC_HEADING = "==================== SYMMETRIC ALGORITHMS =====================";
constexpr const char* HASH_HEADING = "======================= HASH FUNCTIONS ========================";

const std::vector<int> FIELD_EDITS = {IDC_EDIT0, IDC_EDIT1, IDC_EDIT2, IDC_EDIT3, IDC_EDIT_OUT};
const std::vector<int> COMMAND_BUTTONS = {IDC_GO, IDC_CLEAR_ALL, IDC_CLEAR_OUTPUT, IDC_COPY_TO_CLIPBOARD};

class MainWindow : public ::testing::Test {
protected:
    TabrixProcess tabrix;

    void SetUp() override { ASSERT_TRUE(tabrix.started()) << "no main window from " << tabrix_exe_path(); }

    // The text on the clipboard as CF_TEXT, read from outside the program.
    static std::string clipboard_text()
    {
        std::string text;
        if (!OpenClipboard(nullptr))
            return "(clipboard not opened)";
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            if (const char* p = static_cast<const char*>(GlobalLock(data))) {
                text = p;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        return text;
    }
};

TEST_F(MainWindow, StartsOnTheFirstSeparatorCentredOnTheDesktop)
{
    EXPECT_EQ(window_text(tabrix.main()).rfind("Tabrix! V1.63 - Vornal (", 0), 0u) << window_text(tabrix.main());
    HWND list = tabrix.item(IDC_OPERATION_LIST);
    EXPECT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 43);
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(window_text(list), SYMMETRIC_HEADING);
    EXPECT_EQ(tabrix.focus(), list) << "the drop-list takes the keyboard focus";

    for (int id : FIELD_EDITS)
        EXPECT_FALSE(tabrix.visible(id)) << "edit " << id;
    for (int id : COMMAND_BUTTONS)
        EXPECT_FALSE(tabrix.visible(id)) << "button " << id;
    EXPECT_FALSE(tabrix.enabled(IDC_GO));
    EXPECT_TRUE(tabrix.visible(IDC_CENTRE_PICTURE));
    EXPECT_TRUE(tabrix.visible(IDC_LOGO));
    EXPECT_EQ(tabrix.text(IDC_HELP_TEXT), "");
    EXPECT_EQ(tabrix.text(IDC_COUNT0), "0 bytes");
    EXPECT_TRUE(tabrix.checked(IDC_RADIO_ECB));

    RECT desktop{}, main{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(tabrix.main(), &main);
    const int w = main.right - main.left, h = main.bottom - main.top;
    EXPECT_EQ(main.left, desktop.left + (desktop.right - desktop.left - w) / 2);
    EXPECT_EQ(main.top, desktop.top + (desktop.bottom - desktop.top - h) / 2);
}

TEST_F(MainWindow, AesShowsKeyIvAndOutputWithBlockModes)
{
    tabrix.choose("AES");
    EXPECT_EQ(tabrix.text(IDC_LABEL0), "Clear data (16-byte blocks):");
    EXPECT_EQ(tabrix.text(IDC_LABEL2), "AES Key (16, 24 or 32 bytes):");
    EXPECT_EQ(tabrix.text(IDC_LABEL3), "Initial Value (16 bytes - optional):");
    EXPECT_EQ(tabrix.text(IDC_LABEL_OUT), "Encrypted data:");
    EXPECT_EQ(tabrix.text(IDC_HELP_TEXT), "NIST - Advanced Encryption Standard\r(encryption)");
    for (int id : {IDC_EDIT0, IDC_EDIT2, IDC_EDIT3, IDC_EDIT_OUT, IDC_PADDING, IDC_ADJUST0, IDC_COPY_TO_INPUT})
        EXPECT_TRUE(tabrix.visible(id)) << id;
    EXPECT_FALSE(tabrix.visible(IDC_EDIT1));
    EXPECT_TRUE(tabrix.visible(IDC_ICON1)) << "the arrow stands in the place of the hidden field 1";
    for (int id : {IDC_RADIO_ECB, IDC_RADIO_CBC, IDC_RADIO_MAC, IDC_BLOCK_MODE_LABEL, IDC_BLOCK_MODE_PICTURE,
                   IDC_CHECK_VALUE, IDC_ARROW_OUT})
        EXPECT_TRUE(tabrix.visible(id)) << id;
    for (int id : {IDC_CENTRE_PICTURE, IDC_ARROW1, IDC_ARROW2, IDC_ARROW3, IDC_USE_IPEK})
        EXPECT_FALSE(tabrix.visible(id)) << id;
    EXPECT_TRUE(tabrix.checked(IDC_RADIO_ECB));
    EXPECT_FALSE(tabrix.enabled(IDC_EDIT3)) << "no Initial Value in ECB";
    EXPECT_TRUE(tabrix.read_only(IDC_EDIT_OUT));
    EXPECT_FALSE(tabrix.read_only(IDC_EDIT2));

    tabrix.click(IDC_RADIO_CBC);
    EXPECT_TRUE(tabrix.enabled(IDC_EDIT3));
    EXPECT_FALSE(tabrix.enabled(IDC_PADDING));
    tabrix.click(IDC_RADIO_MAC);
    EXPECT_TRUE(tabrix.checked(IDC_RADIO_MAC));
    EXPECT_TRUE(tabrix.enabled(IDC_PADDING));
}

TEST_F(MainWindow, SeparatorRowShowsOnlyItsPicture)
{
    tabrix.choose("AES");
    tabrix.choose(HASH_HEADING);
    for (int id : FIELD_EDITS)
        EXPECT_FALSE(tabrix.visible(id)) << "edit " << id;
    for (int id : COMMAND_BUTTONS)
        EXPECT_FALSE(tabrix.visible(id)) << "button " << id;
    for (int id : {IDC_ICON0, IDC_ICON1, IDC_ICON2, IDC_ICON3, IDC_ICON_OUT, IDC_RADIO_ECB, IDC_ARROW_OUT,
                   IDC_CHECK_VALUE})
        EXPECT_FALSE(tabrix.visible(id)) << id;
    EXPECT_TRUE(tabrix.visible(IDC_CENTRE_PICTURE));
    EXPECT_EQ(tabrix.text(IDC_HELP_TEXT), "");
}

TEST_F(MainWindow, RsaKeyGenerationMakesField2AReadOnlyOutput)
{
    tabrix.choose("RSA Key Generation");
    EXPECT_EQ(tabrix.text(IDC_LABEL2), "PRIVATE Exponent:");
    EXPECT_TRUE(tabrix.read_only(IDC_EDIT2));
    EXPECT_FALSE(tabrix.read_only(IDC_EDIT1));
    EXPECT_FALSE(tabrix.visible(IDC_ADJUST2));
    EXPECT_FALSE(tabrix.visible(IDC_EDIT3));
    EXPECT_TRUE(tabrix.visible(IDC_ARROW2));
    EXPECT_FALSE(tabrix.visible(IDC_ARROW_OUT));
    EXPECT_FALSE(tabrix.visible(IDC_RADIO_ECB));

    tabrix.choose("SHA-256");
    EXPECT_FALSE(tabrix.read_only(IDC_EDIT2)) << "the next row makes it writable again";
    EXPECT_FALSE(tabrix.visible(IDC_ICON1)) << "no picture in the place of field 1";
    EXPECT_TRUE(tabrix.visible(IDC_ICON3)) << "the funnel above the digest";
}

TEST_F(MainWindow, TypingCountsBytesAndEnablesGo)
{
    tabrix.choose("XOR");
    struct Step {
        const char* typed;
        const char* counter;
        bool go_enabled;
    };
    for (const Step& step : {Step{.typed = "1", .counter = "0,5 bytes", .go_enabled = false},
                             Step{.typed = "12", .counter = "1 bytes", .go_enabled = true},
                             Step{.typed = "123", .counter = "1,5 bytes", .go_enabled = true},
                             Step{.typed = "", .counter = "0 bytes", .go_enabled = false}}) {
        tabrix.type(IDC_EDIT0, step.typed);
        EXPECT_EQ(tabrix.text(IDC_COUNT0), step.counter) << "typed \"" << step.typed << "\"";
        EXPECT_EQ(tabrix.enabled(IDC_GO), step.go_enabled) << "typed \"" << step.typed << "\"";
    }
    tabrix.type(IDC_EDIT1, "a1 b2 c");
    EXPECT_EQ(tabrix.text(IDC_COUNT1), "2,5 bytes");
}

TEST_F(MainWindow, XorRunShowsItsOutput)
{
    tabrix.choose("XOR");
    tabrix.type(IDC_EDIT0, "0f 0f 00");
    tabrix.type(IDC_EDIT1, "F0F1");
    tabrix.press_go();
    EXPECT_EQ(tabrix.message_box().box, nullptr) << tabrix.message_box().text;
    EXPECT_EQ(tabrix.text(IDC_EDIT_OUT), "FFFE00");
    EXPECT_EQ(tabrix.text(IDC_COUNT_OUT), "3 bytes");
    EXPECT_EQ(tabrix.text(IDC_EDIT0), "0F0F00") << "read strictly, so rewritten clean";
    EXPECT_TRUE(tabrix.enabled(IDC_GO));
}

TEST_F(MainWindow, FailingRunReportsAndSelectsTheBadField)
{
    tabrix.choose("XOR");
    tabrix.type(IDC_EDIT0, "aa bb");
    tabrix.type(IDC_EDIT1, "ABC");
    tabrix.press_go();

    MessageBoxSeen box = tabrix.wait_for_message_box();
    ASSERT_NE(box.box, nullptr);
    EXPECT_EQ(box.caption, "Ooops!");
    EXPECT_EQ(box.text, "Invalid field size!");
    EXPECT_TRUE(wait_until([&] { return message_box_icon(box.box) == ShownIcon::Error; })) << "error icon";
    EXPECT_FALSE(IsWindowEnabled(tabrix.main())) << "the box is modal over the main window";
    tabrix.dismiss(box.box);

    ASSERT_TRUE(wait_until([&] { return tabrix.enabled(IDC_GO); }));
    EXPECT_EQ(tabrix.focus(), tabrix.item(IDC_EDIT1));
    DWORD start = 1, end = 0;
    SendMessageA(tabrix.item(IDC_EDIT1), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u) << "the whole text selected";
    EXPECT_EQ(tabrix.text(IDC_EDIT1), "ABC");
    EXPECT_EQ(tabrix.text(IDC_EDIT0), "AABB") << "read before the failure, so rewritten clean";
    EXPECT_EQ(tabrix.text(IDC_EDIT_OUT), "");
}

TEST_F(MainWindow, CopyToClipboardPutsTheOutputThereAndSaysSo)
{
    tabrix.choose("XOR");
    tabrix.type(IDC_EDIT0, "1234");
    tabrix.type(IDC_EDIT1, "4761");
    tabrix.press_go();
    ASSERT_EQ(tabrix.text(IDC_EDIT_OUT), "5555");

    tabrix.click_opening_window(tabrix.item(IDC_COPY_TO_CLIPBOARD));
    MessageBoxSeen box = tabrix.wait_for_message_box();
    ASSERT_NE(box.box, nullptr);
    EXPECT_EQ(box.caption, "Tabrix!");
    EXPECT_EQ(box.text, "Data successfully copied.");
    EXPECT_TRUE(wait_until([&] { return message_box_icon(box.box) == ShownIcon::Information; }))
        << "information icon";
    EXPECT_EQ(clipboard_text(), "5555");
    tabrix.dismiss(box.box);
}

TEST_F(MainWindow, CopyToClipboardTitlesEachOutputOfAKeyGeneration)
{
    tabrix.choose("RSA Key Generation");
    tabrix.type(IDC_EDIT0, "10");
    tabrix.type(IDC_EDIT1, "010001");
    tabrix.press_go();
    ASSERT_EQ(tabrix.message_box().box, nullptr) << tabrix.message_box().text;
    const std::string exponent = tabrix.text(IDC_EDIT2), modulus = tabrix.text(IDC_EDIT_OUT);
    ASSERT_EQ(modulus.size(), 32u) << "a 16-byte modulus";
    ASSERT_FALSE(exponent.empty());

    tabrix.click_opening_window(tabrix.item(IDC_COPY_TO_CLIPBOARD));
    MessageBoxSeen box = tabrix.wait_for_message_box();
    ASSERT_NE(box.box, nullptr);
    EXPECT_EQ(box.text, "Data successfully copied.");
    EXPECT_EQ(clipboard_text(), "PRIVATE Exponent:\r\n" + exponent + "\r\nKey Modulus:\r\n" + modulus + "\r\n");
    tabrix.dismiss(box.box);
}

TEST_F(MainWindow, EnterInAnInputFieldRunsGo)
{
    tabrix.choose("Parity Adjust (lsb odd)");
    tabrix.type(IDC_EDIT0, "0001FEFF");
    HWND edit = tabrix.item(IDC_EDIT0);
    tabrix.click_opening_window(edit);
    ASSERT_TRUE(wait_until([&] { return tabrix.focus() == edit; }));
    tabrix.press_key(edit, VK_RETURN);
    EXPECT_TRUE(wait_until([&] { return tabrix.text(IDC_EDIT_OUT) != ""; })) << "GO! is the default button";
    EXPECT_EQ(tabrix.text(IDC_EDIT_OUT), "0101FEFE");
}

TEST_F(MainWindow, EscapeInAnEditEndsTheProgramWithCodeZero)
{
    tabrix.choose("XOR");
    tabrix.type(IDC_EDIT0, "12");
    HWND edit = tabrix.item(IDC_EDIT0);
    tabrix.click_opening_window(edit); // a click puts the focus in the edit
    ASSERT_TRUE(wait_until([&] { return tabrix.focus() == edit; }));
    tabrix.press_key(edit, VK_ESCAPE);
    EXPECT_EQ(tabrix.wait_for_exit(), 0);
}

TEST_F(MainWindow, EscapeOnTheDropListEndsTheProgramWithCodeZero)
{
    tabrix.press_key(tabrix.item(IDC_OPERATION_LIST), VK_ESCAPE);
    EXPECT_EQ(tabrix.wait_for_exit(), 0);
}

} // namespace
