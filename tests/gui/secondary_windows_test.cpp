// secondary_windows_test.cpp: the About box opened from the logo and the Version History viewer
// opened from it: where they open, what they show, and ESC closing only the box in front.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "core/controls.h"
#include "tests/gui/release_notes.h"
#include "tests/gui/tabrix_process.h"

namespace {

// The window is where centring over its reference puts it, dividing with truncation.
void expect_centred_over(HWND window, HWND reference)
{
    RECT w{}, p{};
    GetWindowRect(window, &w);
    GetWindowRect(reference, &p);
    const int ww = w.right - w.left, wh = w.bottom - w.top;
    EXPECT_EQ(w.left, p.left + (p.right - p.left - ww) / 2) << window_text(window);
    EXPECT_EQ(w.top, p.top + (p.bottom - p.top - wh) / 2) << window_text(window);
}

HWND wait_for_owned(const TabrixProcess& tabrix, HWND owner)
{
    HWND found = nullptr;
    wait_until([&] { return (found = owned_dialog(tabrix.process_id(), owner)) != nullptr; });
    return found;
}

HWND focus_of(HWND window)
{
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    return gui.hwndFocus;
}

TEST(SecondaryWindows, AboutBoxAndVersionHistoryOpenCentredAndCloseWithEscape)
{
    TabrixProcess tabrix;
    ASSERT_TRUE(tabrix.started());

    tabrix.click_opening_window(tabrix.item(IDC_LOGO));
    HWND about = wait_for_owned(tabrix, tabrix.main());
    ASSERT_NE(about, nullptr) << "a click on the logo opens the About box";
    EXPECT_EQ(window_text(about), "About Tabrix!");
    EXPECT_EQ(window_text(GetDlgItem(about, IDC_ABOUT_VERSION)), "1.63");
    const std::string build = window_text(GetDlgItem(about, IDC_ABOUT_BUILD));
    EXPECT_TRUE(std::regex_match(build, std::regex("[A-Z][a-z]{2} [ 123][0-9] [0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}")))
        << build;
    EXPECT_FALSE(IsWindowEnabled(tabrix.main())) << "modal over the main window";
    expect_centred_over(about, tabrix.main());

    tabrix.click_opening_window(GetDlgItem(about, IDC_ABOUT_HISTORY));
    HWND viewer = wait_for_owned(tabrix, about);
    ASSERT_NE(viewer, nullptr) << "the Version History button opens the viewer";
    EXPECT_EQ(window_text(viewer), "Version History");
    expect_centred_over(viewer, about);
    HWND notes = GetDlgItem(viewer, IDC_HISTORY_TEXT);
    EXPECT_EQ(window_text(notes), stored_release_notes(tabrix_exe_path()))
        << "every byte of the stored text and nothing after it";
    EXPECT_TRUE(GetWindowLongA(notes, GWL_STYLE) & ES_READONLY);
    // Another process cannot read the font handle; the line spacing shows the 10-unit font.
    const LRESULT line1 = SendMessageA(notes, EM_POSFROMCHAR, 0, 0);
    const LRESULT line2 = SendMessageA(notes, EM_POSFROMCHAR, SendMessageA(notes, EM_LINEINDEX, 1, 0), 0);
    EXPECT_EQ(HIWORD(line2) - HIWORD(line1), 10) << "lines 10 pixels apart";

    tabrix.press_key(focus_of(viewer), VK_ESCAPE);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(viewer); })) << "ESC closes the viewer";
    EXPECT_TRUE(IsWindowVisible(about)) << "and only the viewer";

    tabrix.press_key(focus_of(about), VK_ESCAPE);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(about); })) << "ESC closes the About box";
    EXPECT_TRUE(wait_until([&] { return IsWindowEnabled(tabrix.main()) != 0; }));
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, tabrix.process_id());
    EXPECT_EQ(WaitForSingleObject(process, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the program keeps running";
    CloseHandle(process);
}

} // namespace
