// aes_dukpt_test.cpp: each AES DUKPT row once in the real window under Wine: its fields typed, GO!,
// its output (ANSI X9.24-3-2017 supplement values where published), and one refusal.
#include <gtest/gtest.h>

#include <string>

#include "tests/gui/tabrix_process.h"
#include "ui/resource.h"

namespace {

constexpr const char* BDK = "FEDCBA9876543210F1F1F1F1F1F1F1F1";
constexpr const char* KSN1 = "123456789012345600000001";
constexpr const char* DATA = "00112233445566778899AABBCCDDEEFF";

struct RowCase {
    const char* row;
    const char* f0;
    const char* f1;
    const char* f2;
    const char* f3;
    const char* output;              // nullptr: a block of 32 hex digits whose random fill varies
    const char* message = nullptr;   // a refusal instead of an output, on the field whose edit has the focus
    int focus = 0;
};

const RowCase CASES[] = {
    {"AES DUKPT Initial Key (IK) derivation", "1234567890123456", "", BDK, "", "1273671EA26AC29AFA4D1084127652A1"},
    {"AES DUKPT Working Key derivation", KSN1, "1000", BDK, "", "AF8CB133A78F8DC2D1359F18527593FB"},
    {"AES DUKPT Intermediate Derivation Key", KSN1, "", BDK, "", "4F21B565BAD9835E112B6465635EAE44"},
    {"AES DUKPT PIN (format 4)", "1234", KSN1, BDK, "4111111111111111", nullptr},
    {"AES DUKPT PIN (format 4) [rev]", "A912150391AB65A67E52883D81CE2D15", KSN1, BDK, "4111111111111111", "1234"},
    {"AES DUKPT Triple-DES PIN (format 0)", "1234", KSN1, BDK, "4012345678909", "FA46575896A389B7"},
    {"AES DUKPT Triple-DES PIN (format 0) [rev]", "FA46575896A389B7", KSN1, BDK, "4012345678909", "1234"},
    {"AES DUKPT MAC req", DATA, KSN1, BDK, "", "E71D69402182955F2E31362658E32D4A"},
    {"AES DUKPT MAC resp", DATA, KSN1, BDK, "", "A037A3A5FDE4C661E305CB84A9B91051"},
    {"AES DUKPT MAC both", DATA, KSN1, BDK, "", "CFEAC226A188B4CA3403EA272E5D58DE"},
    {"AES DUKPT Data req", DATA, KSN1, BDK, "", "CD8C4B2DB277B0BD206DB6199322EA8B"},
    {"AES DUKPT Data req [rev]", "CD8C4B2DB277B0BD206DB6199322EA8B", KSN1, BDK, "", DATA},
    {"AES DUKPT Data resp", DATA, KSN1, BDK, "", "3A383708EB36075CFD297E143A1CF0DD"},
    {"AES DUKPT Data resp [rev]", "3A383708EB36075CFD297E143A1CF0DD", KSN1, BDK, "", DATA},
    {"AES DUKPT Data both", DATA, KSN1, BDK, "", "4B185FC59A97FADC51F283591B36BBCA"},
    {"AES DUKPT Data both [rev]", "4B185FC59A97FADC51F283591B36BBCA", KSN1, BDK, "", DATA},
    {"AES DUKPT Next KSN", "1234567890123456FFFE2000", "", "", "", "1234567890123456FFFE4000"},
    {"AES DUKPT Working Key derivation", "12345678901234560001FFFF", "1000", BDK, "", nullptr,
     "KSN counter has more than 16 one-bits!", IDC_EDIT0},
};

TEST(AesDukptWindow, EachRowRunsAndACounterRuleRefuses)
{
    TabrixProcess tabrix;
    ASSERT_NE(tabrix.main(), nullptr) << "no main window from " << tabrix_exe_path();
    for (const RowCase& c : CASES) {
        tabrix.choose(c.row);
        const int edits[] = {IDC_EDIT0, IDC_EDIT1, IDC_EDIT2, IDC_EDIT3};
        const char* texts[] = {c.f0, c.f1, c.f2, c.f3};
        for (int i = 0; i < 4; ++i)
            if (tabrix.visible(edits[i]) && !tabrix.read_only(edits[i]))
                tabrix.type(edits[i], texts[i]);
        tabrix.press_go();
        if (c.message) {
            HWND box = nullptr;
            ASSERT_TRUE(wait_until([&] { return (box = tabrix.message_box()) != nullptr; })) << c.row;
            EXPECT_EQ(window_text(GetDlgItem(box, 0xFFFF)), c.message);
            tabrix.dismiss(box);
            EXPECT_TRUE(wait_until([&] { return focus_of(tabrix.main()) == tabrix.item(c.focus); })) << c.message;
            EXPECT_EQ(tabrix.text(IDC_EDIT_OUT), "");
        } else if (c.output) {
            EXPECT_EQ(tabrix.text(IDC_EDIT_OUT), c.output) << c.row;
        } else {
            EXPECT_EQ(tabrix.text(IDC_EDIT_OUT).size(), 32u) << c.row;
        }
    }
}

} // namespace
