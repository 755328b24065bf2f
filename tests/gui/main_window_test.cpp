// main_window_test.cpp: what only the real windows under Wine show: Tabrix.exe is started in its own process
// and driven from outside it with the messages that a user's choices, keystrokes and clicks produce. It starts
// and lays out a row, GO! runs, an error box reports a bad field, the output goes to the clipboard, the logo
// opens the About box and it the Version History viewer, and ESC ends it all.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "ui/resource.h"

namespace {

// False if the condition never held within the limit (a hung or missing window, not slowness).
bool wait_until(const std::function<bool()>& condition)
{
    for (const ULONGLONG end = GetTickCount64() + 20000; !condition(); Sleep(10))
        if (GetTickCount64() > end)
            return false;
    return true;
}

// WM_GETTEXT: GetWindowText would not ask a control of another process.
std::string text_of(HWND window)
{
    std::string text(static_cast<std::size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

HWND focus_of(HWND window)
{
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    return gui.hwndFocus;
}

void press_escape(HWND window)
{
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(VK_ESCAPE, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, scan | 1);
    PostMessageA(window, WM_KEYUP, VK_ESCAPE, scan | 1 | (3LL << 30));
}

// A click whose handling may open a modal window, so posted: returns at once. A button is clicked, a picture
// gets the mouse.
void post_click(HWND control)
{
    char name[16] = {};
    GetClassNameA(control, name, sizeof name);
    if (std::string(name) == "Button")
        PostMessageA(control, BM_CLICK, 0, 0);
    else
        for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP})
            PostMessageA(control, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(4, 4));
}

class MainWindow : public ::testing::Test {
protected:
    PROCESS_INFORMATION process{};
    HWND main = nullptr;

    // Tabrix.exe lies beside this test program.
    void SetUp() override
    {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string exe(path);
        exe = exe.substr(0, exe.find_last_of("\\/") + 1) + "Tabrix.exe";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
        WaitForInputIdle(process.hProcess, 20000);
        ASSERT_TRUE(wait_until([this] { return (main = dialog(nullptr)) != nullptr; })) << "no main window";
    }
    void TearDown() override
    {
        PostMessageA(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.hProcess, 10000) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    HWND item(int id) const { return GetDlgItem(main, id); }
    std::string text(int id) const { return text_of(item(id)); }
    bool visible(int id) const { return IsWindowVisible(item(id)) != 0; }
    // The visible dialog of the process owned by the given window (message boxes are dialogs too).
    HWND dialog(HWND owner) const
    {
        for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr;) {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == process.dwProcessId && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == owner)
                return window;
        }
        return nullptr;
    }
    // The caption and text of the message box that opens over the main window; then OK is clicked.
    std::string message_box()
    {
        HWND box = nullptr;
        if (!wait_until([&] { return (box = dialog(main)) != nullptr && GetDlgItem(box, 0xFFFF); }))
            return "no message box";
        const std::string shown = text_of(box) + " / " + text_of(GetDlgItem(box, 0xFFFF));
        EXPECT_FALSE(IsWindowEnabled(main)) << "modal over the main window";
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        wait_until([box] { return !IsWindowVisible(box); });
        return shown;
    }
    // The drop-list reports a user's choice of the row with this name.
    void choose(const std::string& name)
    {
        HWND list = item(IDC_OPERATION_LIST);
        SendMessageA(list, CB_SETCURSEL, SendMessageA(list, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(name.c_str())), 0);
        SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_OPERATION_LIST, CBN_SELCHANGE), LPARAM(list));
    }
    // A multi-line edit notifies a change for keystrokes only, not for WM_SETTEXT: all but the last
    // character are set, the last one typed.
    void type(int edit_id, const std::string& text)
    {
        SetWindowTextA(item(edit_id), text.substr(0, text.size() - 1).c_str());
        SendMessageA(item(edit_id), EM_SETSEL, text.size() - 1, text.size() - 1);
        SendMessageA(item(edit_id), WM_CHAR, static_cast<unsigned char>(text.back()), 1);
    }
    // Returns when the run has ended or shows a message box.
    void press_go()
    {
        post_click(item(IDC_GO));
        wait_until([this] { return IsWindowEnabled(item(IDC_GO)) || dialog(main); });
    }
};

TEST_F(MainWindow, StartsLaysOutARowRunsGoAndCopiesTheOutput)
{
    EXPECT_EQ(text_of(main).rfind("Tabrix! V1.63 - Vornal (", 0), 0u) << text_of(main);
    EXPECT_EQ(focus_of(main), item(IDC_OPERATION_LIST)) << "the drop-list takes the keyboard focus";
    EXPECT_TRUE(visible(IDC_CENTRE_PICTURE) && !visible(IDC_EDIT0));
    choose("XOR");
    EXPECT_EQ(text(IDC_LABEL3), "4th Input (optional):");
    EXPECT_TRUE(visible(IDC_EDIT3) && visible(IDC_ICON3) && !visible(IDC_CENTRE_PICTURE) && !visible(IDC_RADIO_ECB));
    type(IDC_EDIT0, "0f 0f 00");
    type(IDC_EDIT1, "F0F1");
    EXPECT_EQ(text(IDC_COUNT0), "3 bytes");
    press_go();
    EXPECT_EQ(text(IDC_EDIT_OUT), "FFFE00");
    EXPECT_EQ(text(IDC_EDIT0), "0F0F00") << "read strictly, so rewritten clean";

    post_click(item(IDC_COPY_TO_CLIPBOARD));
    EXPECT_EQ(message_box(), "Tabrix! / Data successfully copied.");
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
    choose("XOR");
    type(IDC_EDIT0, "aa bb");
    type(IDC_EDIT1, "ABC");
    press_go();
    EXPECT_EQ(message_box(), "Ooops! / Invalid field size!");
    EXPECT_TRUE(wait_until([&] { return focus_of(main) == item(IDC_EDIT1); })) << "focus on field 1";
    DWORD start = 1, end = 0;
    SendMessageA(item(IDC_EDIT1), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(std::pair(start, end), std::pair(DWORD{0}, DWORD{3})) << "the whole text selected";
    EXPECT_EQ(text(IDC_EDIT_OUT), "");
}

TEST_F(MainWindow, AboutBoxAndViewerOpenAndEscapeClosesThemThenEndsTheProgram)
{
    post_click(item(IDC_LOGO));
    HWND about = nullptr, viewer = nullptr;
    ASSERT_TRUE(wait_until([&] { return (about = dialog(main)) != nullptr; })) << "the logo opens the About box";
    EXPECT_EQ(text_of(about) + " " + text_of(GetDlgItem(about, IDC_ABOUT_VERSION)), "About Tabrix! 1.63");
    post_click(GetDlgItem(about, IDC_ABOUT_HISTORY));
    ASSERT_TRUE(wait_until([&] { return (viewer = dialog(about)) != nullptr; }));
    EXPECT_EQ(text_of(viewer), "Version History");
    EXPECT_NE(text_of(GetDlgItem(viewer, IDC_HISTORY_TEXT)).find("Informa\xE7\xF5" "es de Vers\xE3o\r\n"), std::string::npos)
        << "the notes, in Windows-1252";

    press_escape(focus_of(viewer));
    ASSERT_TRUE(wait_until([&] { return !IsWindow(viewer); })) << "ESC closes the viewer";
    EXPECT_TRUE(IsWindowVisible(about)) << "and only the viewer";
    press_escape(focus_of(about));
    ASSERT_TRUE(wait_until([&] { return !IsWindow(about); })) << "ESC closes the About box";
    press_escape(item(IDC_OPERATION_LIST));
    DWORD code = 1;
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0) << "ESC on the main window ends the program";
    EXPECT_TRUE(GetExitCodeProcess(process.hProcess, &code) && code == 0) << code;
}

} // namespace
