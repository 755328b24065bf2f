// pin_test.cpp: one published case of each PIN block, CMAC and check value row family in the real window
// under Wine, and one refusal with its message and focused field.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/gui/tabrix_process.h"
#include "ui/resource.h"

namespace {

struct Case {
    const char* row;
    std::vector<std::pair<int, std::string>> typed, shown;
    const char* message = nullptr;
    int focused = 0;
};

const Case CASES[] = {
    // ANSI X9.24-1-2009 A.4: PIN 1234, PAN 4012345678909.
    {"PIN Block ISO Format 0", {{IDC_EDIT0, "1234"}, {IDC_EDIT1, "4012345678909"}}, {{IDC_EDIT_OUT, "041274EDCBA9876F"}}},
    // openemv/pinblock format 1 example.
    {"PIN Block ISO Format 0-3 [rev]", {{IDC_EDIT0, "1512345EDCBA9876"}},
     {{IDC_EDIT3, "EDCBA9876"}, {IDC_EDIT_OUT, "12345"}, {IDC_COUNT_OUT, "5 digits"}}},
    // ANSI X9.24-3-2017 supplement, format 4, transaction 1.
    {"PIN Block ISO Format 4 (AES)",
     {{IDC_EDIT0, "1234"}, {IDC_EDIT1, "4111111111111111"}, {IDC_EDIT2, "AF8CB133A78F8DC2D1359F18527593FB"},
      {IDC_EDIT3, "2F69ADDE2E9E7ACE"}},
     {{IDC_EDIT_OUT, "A912150391AB65A67E52883D81CE2D15"}}},
    // RFC 4493 Example 2.
    {"CMAC (AES)", {{IDC_EDIT0, "2B7E151628AED2A6ABF7158809CF4F3C"}, {IDC_EDIT1, "6BC1BEE22E409F96E93D7E117393172A"}},
     {{IDC_EDIT_OUT, "070A16B46B4D4144F79BDD9DD04A287C"}}},
    // X9.143:2021 8.1: AES-128 key, CMAC check value 08793E25AB.
    {"Key Check Values (AES)", {{IDC_EDIT0, "3F419E1CB7079442AA37474C2EFBF8B8"}},
     {{IDC_EDIT_OUT, "08793E25AB"}}},
    {"PIN Block ISO Format 3", {{IDC_EDIT0, "1234"}, {IDC_EDIT1, "555555555555"}}, {}, "Invalid PAN length!", IDC_EDIT1},
};

TEST(PinRows, OneCaseOfEachFamilyInTheRealWindow)
{
    for (const Case& c : CASES) {
        SCOPED_TRACE(c.row);
        TabrixProcess tabrix;
        ASSERT_NE(tabrix.main(), nullptr);
        tabrix.choose(c.row);
        for (const auto& [edit, text] : c.typed)
            tabrix.type(edit, text);
        tabrix.press_go();
        HWND box = tabrix.message_box();
        EXPECT_EQ(box ? window_text(GetDlgItem(box, 0xFFFF)) : "", c.message ? c.message : "");
        if (box) {
            tabrix.dismiss(box);
            EXPECT_TRUE(wait_until([&] { return focus_of(tabrix.main()) == tabrix.item(c.focused); }));
            EXPECT_EQ(tabrix.text(IDC_EDIT_OUT), "");
        }
        for (const auto& [control, text] : c.shown)
            EXPECT_EQ(tabrix.text(control), text) << control;
    }
}

} // namespace
