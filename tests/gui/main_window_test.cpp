// main_window_test.cpp: what only the real windows under Wine show, driven as a user drives them: the
// program starts and lays out a row, GO! runs, an error box reports a bad field, the output goes to the
// clipboard, the logo opens the About box and it the Version History viewer, and ESC ends it all.
#include <gtest/gtest.h>

#include <string>

#include "tests/gui/tabrix_process.h"
#include "ui/resource.h"

namespace {

class MainWindow : public ::testing::Test {
protected:
    TabrixProcess tabrix;

    void SetUp() override { ASSERT_NE(tabrix.main(), nullptr) << "no main window from " << tabrix_exe_path(); }

    // The caption and text of the message box over the main window, which must be modal; then OK.
    std::string answer_box()
    {
        HWND box = nullptr;
        if (!wait_until([&] { return (box = tabrix.message_box()) != nullptr; }))
            return "no message box";
        EXPECT_FALSE(IsWindowEnabled(tabrix.main())) << "modal over the main window";
        const std::string shown = window_text(box) + " / " + window_text(GetDlgItem(box, 0xFFFF));
        tabrix.dismiss(box);
        return shown;
    }
};

TEST_F(MainWindow, StartsLaysOutARowRunsGoAndCopiesTheOutput)
{
    EXPECT_EQ(window_text(tabrix.main()).rfind("Tabrix! V1.63 - Vornal (", 0), 0u) << window_text(tabrix.main());
    EXPECT_EQ(focus_of(tabrix.main()), tabrix.item(IDC_OPERATION_LIST)) << "the drop-list takes the keyboard focus";
    EXPECT_TRUE(tabrix.visible(IDC_CENTRE_PICTURE) && !tabrix.visible(IDC_EDIT0));
    tabrix.choose("XOR");
    EXPECT_EQ(tabrix.text(IDC_LABEL3), "4th Input (optional):");
    EXPECT_TRUE(tabrix.visible(IDC_EDIT3) && tabrix.visible(IDC_ICON3));
    EXPECT_FALSE(tabrix.visible(IDC_CENTRE_PICTURE) || tabrix.visible(IDC_RADIO_ECB));
    tabrix.type(IDC_EDIT0, "0f 0f 00");
    tabrix.type(IDC_EDIT1, "F0F1");
    EXPECT_EQ(tabrix.text(IDC_COUNT0), "3 bytes");
    tabrix.press_go();
    EXPECT_EQ(tabrix.text(IDC_EDIT_OUT), "FFFE00");
    EXPECT_EQ(tabrix.text(IDC_EDIT0), "0F0F00") << "read strictly, so rewritten clean";

    post_click(tabrix.item(IDC_COPY_TO_CLIPBOARD));
    EXPECT_EQ(answer_box(), "Tabrix! / Data successfully copied.");
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* copied = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    EXPECT_STREQ(copied, "FFFE00");
    if (copied)
        GlobalUnlock(data);
    CloseClipboard();
}

TEST_F(MainWindow, ErrorBoxReportsTheBadFieldAndSelectsIt)
{
    tabrix.choose("XOR");
    tabrix.type(IDC_EDIT0, "aa bb");
    tabrix.type(IDC_EDIT1, "ABC");
    tabrix.press_go();
    EXPECT_EQ(answer_box(), "Ooops! / Invalid field size!");
    EXPECT_TRUE(wait_until([&] { return focus_of(tabrix.main()) == tabrix.item(IDC_EDIT1); })) << "focus on field 1";
    DWORD start = 1, end = 0;
    SendMessageA(tabrix.item(IDC_EDIT1), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(std::pair(start, end), std::pair(DWORD{0}, DWORD{3})) << "the whole text selected";
    EXPECT_EQ(tabrix.text(IDC_EDIT_OUT), "");
}

TEST_F(MainWindow, AboutBoxAndViewerOpenAndEscapeClosesThemThenEndsTheProgram)
{
    post_click(tabrix.item(IDC_LOGO));
    HWND about = nullptr, viewer = nullptr;
    ASSERT_TRUE(wait_until([&] { return (about = owned_dialog(tabrix.process_id(), tabrix.main())) != nullptr; }))
        << "a click on the logo opens the About box";
    EXPECT_EQ(window_text(about) + " " + window_text(GetDlgItem(about, IDC_ABOUT_VERSION)), "About Tabrix! 1.63");
    post_click(GetDlgItem(about, IDC_ABOUT_HISTORY));
    ASSERT_TRUE(wait_until([&] { return (viewer = owned_dialog(tabrix.process_id(), about)) != nullptr; }));
    EXPECT_EQ(window_text(viewer), "Version History");
    EXPECT_NE(window_text(GetDlgItem(viewer, IDC_HISTORY_TEXT)).find("Informa\xE7\xF5" "es de Vers\xE3o\r\n"), std::string::npos)
        << "the notes, in Windows-1252";

    press_key(focus_of(viewer), VK_ESCAPE);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(viewer); })) << "ESC closes the viewer";
    EXPECT_TRUE(IsWindowVisible(about)) << "and only the viewer";
    press_key(focus_of(about), VK_ESCAPE);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(about); })) << "ESC closes the About box";
    press_key(tabrix.item(IDC_OPERATION_LIST), VK_ESCAPE);
    EXPECT_EQ(tabrix.wait_for_exit(), 0) << "ESC on the main window ends the program with code 0";
}

} // namespace
