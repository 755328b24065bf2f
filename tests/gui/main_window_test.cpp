// main_window_test.cpp: the real windows under Wine, driven as a user drives them: start-up, the
// layout of a few rows, typing, runs with their output or message, the clipboard, the About box
// and the Version History viewer, Enter and ESC.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "tests/gui/tabrix_process.h"
#include "ui/resource.h"

namespace {

constexpr const char* SYMMETRIC_HEADING = "==================== SYMMETRIC ALGORITHMS =====================";
constexpr const char* HASH_HEADING = "======================= HASH FUNCTIONS ========================";

// Centred over the reference, dividing with truncation.
void expect_centred_over(HWND window, HWND reference)
{
    RECT w{}, p{};
    GetWindowRect(window, &w);
    GetWindowRect(reference, &p);
    EXPECT_EQ(w.left, p.left + (p.right - p.left - (w.right - w.left)) / 2) << window_text(window);
    EXPECT_EQ(w.top, p.top + (p.bottom - p.top - (w.bottom - w.top)) / 2) << window_text(window);
}

class MainWindow : public ::testing::Test {
protected:
    TabrixProcess tabrix;

    void SetUp() override { ASSERT_NE(tabrix.main(), nullptr) << "no main window from " << tabrix_exe_path(); }
};

// Each step chooses a row or clicks a button, then checks the controls; the steps run in order, so
// that a row must also undo what the one before it showed.
struct Step {
    const char* choose = nullptr;
    int click = 0;
    std::vector<std::pair<int, std::string>> texts = {};
    std::vector<int> shown = {}, hidden = {}, enabled = {}, disabled = {}, checked = {}, read_only = {}, writable = {};
};

TEST_F(MainWindow, StartsOnTheFirstSeparatorCentredThenRowsAndBlockModesLayOutTheControls)
{
    EXPECT_EQ(window_text(tabrix.main()).rfind("Tabrix! V1.63 - Vornal (", 0), 0u) << window_text(tabrix.main());
    EXPECT_EQ(focus_of(tabrix.main()), tabrix.item(IDC_OPERATION_LIST)) << "the drop-list takes the keyboard focus";
    expect_centred_over(tabrix.main(), GetDesktopWindow());
    const std::vector<int> hidden_on_separators = {
        IDC_EDIT0, IDC_EDIT1, IDC_EDIT2, IDC_EDIT3, IDC_EDIT_OUT, IDC_GO, IDC_CLEAR_ALL, IDC_CLEAR_OUTPUT,
        IDC_COPY_TO_CLIPBOARD, IDC_ICON0, IDC_ICON1, IDC_ICON2, IDC_ICON3, IDC_ICON_OUT, IDC_RADIO_ECB,
        IDC_ARROW_OUT, IDC_CHECK_VALUE};
    const Step steps[] = {
        {.texts = {{IDC_OPERATION_LIST, SYMMETRIC_HEADING}, {IDC_HELP_TEXT, ""}, {IDC_COUNT0, "0 bytes"}},
         .shown = {IDC_CENTRE_PICTURE, IDC_LOGO}, .hidden = hidden_on_separators, .disabled = {IDC_GO},
         .checked = {IDC_RADIO_ECB}},
        {.choose = "AES",
         .texts = {{IDC_LABEL0, "Clear data (16-byte blocks):"}, {IDC_LABEL2, "AES Key (16, 24 or 32 bytes):"},
                   {IDC_LABEL3, "Initial Value (16 bytes - optional):"}, {IDC_LABEL_OUT, "Encrypted data:"},
                   {IDC_HELP_TEXT, "NIST - Advanced Encryption Standard\r(encryption)"}},
         .shown = {IDC_EDIT0, IDC_EDIT2, IDC_EDIT3, IDC_EDIT_OUT, IDC_PADDING, IDC_ADJUST0, IDC_COPY_TO_INPUT,
                   IDC_ICON1, IDC_RADIO_ECB, IDC_RADIO_CBC, IDC_RADIO_MAC, IDC_BLOCK_MODE_LABEL,
                   IDC_BLOCK_MODE_PICTURE, IDC_CHECK_VALUE, IDC_ARROW_OUT},
         .hidden = {IDC_EDIT1, IDC_CENTRE_PICTURE, IDC_ARROW1, IDC_ARROW2, IDC_ARROW3, IDC_USE_IPEK},
         .disabled = {IDC_EDIT3}, .checked = {IDC_RADIO_ECB}, .read_only = {IDC_EDIT_OUT}, .writable = {IDC_EDIT2}},
        {.click = IDC_RADIO_CBC, .enabled = {IDC_EDIT3}, .disabled = {IDC_PADDING}},
        {.click = IDC_RADIO_MAC, .enabled = {IDC_PADDING}, .checked = {IDC_RADIO_MAC}},
        {.choose = HASH_HEADING, .texts = {{IDC_HELP_TEXT, ""}}, .shown = {IDC_CENTRE_PICTURE},
         .hidden = hidden_on_separators},
        {.choose = "RSA Key Generation", .texts = {{IDC_LABEL2, "PRIVATE Exponent:"}}, .shown = {IDC_ARROW2},
         .hidden = {IDC_ADJUST2, IDC_EDIT3, IDC_ARROW_OUT, IDC_RADIO_ECB}, .read_only = {IDC_EDIT2},
         .writable = {IDC_EDIT1}},
        {.choose = "SHA-256", .shown = {IDC_ICON3}, .hidden = {IDC_ICON1}, .writable = {IDC_EDIT2}},
    };
    for (const Step& s : steps) {
        if (s.choose)
            tabrix.choose(s.choose);
        if (s.click)
            tabrix.click(s.click);
        const std::string at = s.choose ? s.choose : s.click ? "click on " + std::to_string(s.click) : "start-up";
        for (const auto& [id, text] : s.texts)
            EXPECT_EQ(tabrix.text(id), text) << at << ": control " << id;
        struct Check {
            const std::vector<int>& ids;
            bool (TabrixProcess::*property)(int) const;
            bool wanted;
            const char* what;
        };
        for (const Check& c : {Check{s.shown, &TabrixProcess::visible, true, "visible"},
                               Check{s.hidden, &TabrixProcess::visible, false, "visible"},
                               Check{s.enabled, &TabrixProcess::enabled, true, "enabled"},
                               Check{s.disabled, &TabrixProcess::enabled, false, "enabled"},
                               Check{s.checked, &TabrixProcess::checked, true, "checked"},
                               Check{s.read_only, &TabrixProcess::read_only, true, "read-only"},
                               Check{s.writable, &TabrixProcess::read_only, false, "read-only"}})
            for (int id : c.ids)
                EXPECT_EQ((tabrix.*c.property)(id), c.wanted) << at << ": control " << id << " " << c.what;
    }
}

TEST_F(MainWindow, TypingCountsBytesAndEnablesGo)
{
    tabrix.choose("XOR");
    struct Typed {
        int edit;
        const char* text;
        int counter;
        const char* count;
        bool go;
    };
    for (const Typed& t : {Typed{.edit = IDC_EDIT0, .text = "1", .counter = IDC_COUNT0, .count = "0,5 bytes", .go = false},
                           Typed{.edit = IDC_EDIT0, .text = "12", .counter = IDC_COUNT0, .count = "1 bytes", .go = true},
                           Typed{.edit = IDC_EDIT0, .text = "", .counter = IDC_COUNT0, .count = "0 bytes", .go = false},
                           Typed{.edit = IDC_EDIT1, .text = "a1 b2 c", .counter = IDC_COUNT1, .count = "2,5 bytes", .go = false}}) {
        tabrix.type(t.edit, t.text);
        EXPECT_EQ(tabrix.text(t.counter), t.count) << "typed \"" << t.text << "\"";
        EXPECT_EQ(tabrix.enabled(IDC_GO), t.go) << "typed \"" << t.text << "\"";
    }
}

TEST_F(MainWindow, XorRunShowsItsOutputAndCopiesItToTheClipboard)
{
    tabrix.choose("XOR");
    tabrix.type(IDC_EDIT0, "0f 0f 00");
    tabrix.type(IDC_EDIT1, "F0F1");
    tabrix.press_go();
    EXPECT_EQ(tabrix.message_box(), nullptr) << window_text(GetDlgItem(tabrix.message_box(), 0xFFFF));
    EXPECT_EQ(tabrix.text(IDC_EDIT_OUT), "FFFE00");
    EXPECT_EQ(tabrix.text(IDC_COUNT_OUT), "3 bytes");
    EXPECT_EQ(tabrix.text(IDC_EDIT0), "0F0F00") << "read strictly, so rewritten clean";

    post_click(tabrix.item(IDC_COPY_TO_CLIPBOARD));
    HWND box = nullptr;
    ASSERT_TRUE(wait_until([&] { return (box = tabrix.message_box()) != nullptr; }));
    EXPECT_EQ(window_text(box), "Tabrix!");
    EXPECT_EQ(window_text(GetDlgItem(box, 0xFFFF)), "Data successfully copied.");
    EXPECT_TRUE(wait_until([&] { return shows_icon(box, IDI_INFORMATION); })) << "information icon";
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* copied = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    EXPECT_STREQ(copied, "FFFE00");
    if (copied)
        GlobalUnlock(data);
    CloseClipboard();
    tabrix.dismiss(box);
}

TEST_F(MainWindow, FailingRunReportsAndSelectsTheBadField)
{
    tabrix.choose("XOR");
    tabrix.type(IDC_EDIT0, "aa bb");
    tabrix.type(IDC_EDIT1, "ABC");
    tabrix.press_go();
    HWND box = nullptr;
    ASSERT_TRUE(wait_until([&] { return (box = tabrix.message_box()) != nullptr; }));
    EXPECT_EQ(window_text(box), "Ooops!");
    EXPECT_EQ(window_text(GetDlgItem(box, 0xFFFF)), "Invalid field size!");
    EXPECT_TRUE(wait_until([&] { return shows_icon(box, IDI_ERROR); })) << "error icon";
    EXPECT_FALSE(IsWindowEnabled(tabrix.main())) << "modal over the main window";
    tabrix.dismiss(box);

    ASSERT_TRUE(wait_until([&] { return tabrix.enabled(IDC_GO); }));
    EXPECT_TRUE(wait_until([&] { return focus_of(tabrix.main()) == tabrix.item(IDC_EDIT1); })) << "focus on field 1";
    DWORD start = 1, end = 0;
    SendMessageA(tabrix.item(IDC_EDIT1), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u) << "the whole text selected";
    EXPECT_EQ(tabrix.text(IDC_EDIT0), "AABB") << "read before the failure, so rewritten clean";
    EXPECT_EQ(tabrix.text(IDC_EDIT_OUT), "");
}

TEST_F(MainWindow, AboutBoxAndVersionHistoryOpenCentredAndCloseWithEscape)
{
    post_click(tabrix.item(IDC_LOGO));
    HWND about = nullptr, viewer = nullptr;
    ASSERT_TRUE(wait_until([&] { return (about = owned_dialog(tabrix.process_id(), tabrix.main())) != nullptr; }))
        << "a click on the logo opens the About box";
    EXPECT_EQ(window_text(about), "About Tabrix!");
    EXPECT_EQ(window_text(GetDlgItem(about, IDC_ABOUT_VERSION)), "1.63");
    const std::string build = window_text(GetDlgItem(about, IDC_ABOUT_BUILD));
    EXPECT_TRUE(std::regex_match(build, std::regex("[A-Z][a-z]{2} [ 123][0-9] [0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}"))) << build;
    EXPECT_FALSE(IsWindowEnabled(tabrix.main())) << "modal over the main window";
    expect_centred_over(about, tabrix.main());

    post_click(GetDlgItem(about, IDC_ABOUT_HISTORY));
    ASSERT_TRUE(wait_until([&] { return (viewer = owned_dialog(tabrix.process_id(), about)) != nullptr; }));
    EXPECT_EQ(window_text(viewer), "Version History");
    expect_centred_over(viewer, about);
    HWND notes = GetDlgItem(viewer, IDC_HISTORY_TEXT);
    EXPECT_EQ(window_text(notes), tabrix_resource(MAKEINTRESOURCEA(RT_VERSION_HISTORY), IDR_VERSION_HISTORY));
    EXPECT_TRUE(GetWindowLongA(notes, GWL_STYLE) & ES_READONLY);
    // The font handle cannot be read from here; the line spacing shows the 10-unit font.
    const LRESULT line1 = SendMessageA(notes, EM_POSFROMCHAR, 0, 0);
    const LRESULT line2 = SendMessageA(notes, EM_POSFROMCHAR, SendMessageA(notes, EM_LINEINDEX, 1, 0), 0);
    EXPECT_EQ(HIWORD(line2) - HIWORD(line1), 10) << "lines 10 pixels apart";

    press_key(focus_of(viewer), VK_ESCAPE);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(viewer); })) << "ESC closes the viewer";
    EXPECT_TRUE(IsWindowVisible(about)) << "and only the viewer";
    press_key(focus_of(about), VK_ESCAPE);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(about); })) << "ESC closes the About box";
    EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(tabrix.main()) != 0; }));
    EXPECT_TRUE(tabrix.running());
}

TEST_F(MainWindow, EnterInAnEditRunsGoAndEscapeEndsTheProgramWithCodeZero)
{
    tabrix.choose("Parity Adjust (lsb odd)");
    tabrix.type(IDC_EDIT0, "0001FEFF");
    HWND edit = tabrix.item(IDC_EDIT0);
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        post_click(edit); // the focus goes where a user clicks
        ASSERT_TRUE(wait_until([&] { return focus_of(edit) == edit; }));
        press_key(edit, key);
        EXPECT_TRUE(key != VK_RETURN || wait_until([&] { return tabrix.text(IDC_EDIT_OUT) == "0101FEFE"; }))
            << "GO! is the default button";
    }
    EXPECT_EQ(tabrix.wait_for_exit(), 0);
}

TEST_F(MainWindow, EscapeOnTheDropListEndsTheProgramWithCodeZero)
{
    press_key(tabrix.item(IDC_OPERATION_LIST), VK_ESCAPE);
    EXPECT_EQ(tabrix.wait_for_exit(), 0);
}

} // namespace
