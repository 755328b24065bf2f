// emv_test.cpp: one published case per EMV row in the real window under Wine (values from
// tests/data/emv.jsonl: pyemv's test_cvn_hsm, test_mac and jPOS's CVN data builder and PBOC example).
#include <gtest/gtest.h>

#include <string>

#include "tests/gui/tabrix_process.h"

namespace {

#define IMK "0123456789ABCDEFFEDCBA9876543210"
#define ICC_MK "154F349D8585CB7F6B0798E9839B10C1" // IMK, PAN 1234567890123456, PSN 00
#define VISA "00000000400000000000000001248000048000012419110501" "52BF45851800001C"
#define MASTERCARD "00000000999900000000000001248000000000012420990600" "ABCDEF121800001C"

struct Case {
    const char* row;
    const char* field[4];
    int output;
    const char* expected; // the output's first characters
};

const Case CASES[] = {
    {"EMV ICC Master Key (Option A)", {IMK, "1234567890123456", "00"}, IDC_EDIT_OUT, ICC_MK},
    {"EMV ICC Master Key (Option B)", {IMK, "12345678901234567", "45"}, IDC_EDIT3, "0BAF"},
    {"EMV Session Key (EMV common)", {ICC_MK, "001C"}, IDC_EDIT_OUT, "426B942BD737E18465B532B1EC96CA27"},
    {"EMV Session Key (Mastercard)", {ICC_MK, "001C", "ABCDEF12"}, IDC_EDIT3, "2FD5"},
    {"EMV Session Key (PBOC)", {"014C986ECD8F49157CC8B59E3BCDFD98", "0240"}, IDC_EDIT_OUT, "D4102725E6E5AD329E55AAB50BF23DA9"},
    {"EMV Cryptogram Visa CVN 10", {ICC_MK, VISA "03A06010"}, IDC_EDIT_OUT, "29CCA15AE665FA2E"},
    {"EMV Cryptogram Visa CVN 18", {ICC_MK, VISA "06011203A0B800"}, IDC_EDIT_OUT, "7A788EA6B8A3E733"},
    {"EMV Cryptogram Visa CVN 22", {ICC_MK, VISA "06011203A0B800"}, IDC_EDIT3, "426B942BD737E18465B532B1EC96CA27"},
    {"EMV Cryptogram Mastercard CVN 16", {ICC_MK, MASTERCARD "A00003220000"}, IDC_EDIT_OUT, "24CCF3DEE3158C70"},
    {"EMV Cryptogram Mastercard CVN 17", {ICC_MK, MASTERCARD "A0000322000000000000000322FF"}, IDC_EDIT_OUT,
     "EAE8A620A75648D8"},
    {"EMV Cryptogram Mastercard CVN 20", {ICC_MK, MASTERCARD "A00003220000"}, IDC_EDIT_OUT, "CD29615D6452E70E"},
    {"EMV Cryptogram Mastercard CVN 21", {ICC_MK, MASTERCARD "A0000322000000000000000322FF"}, IDC_EDIT_OUT,
     "C30E54BE496CF5E5"},
    {"EMV Cryptogram Interac CVN 133", {ICC_MK, MASTERCARD "1501850440B100000000B00000000000000000000000"},
     IDC_EDIT_OUT, "18932FECA2D84326"},
    {"EMV Cryptogram CCD CVN 5",
     {ICC_MK, "00000001000000000000100008400000001080084098070400111111115800345" "60FA500A03800000000000000000000000F010000000000000000000000000000"},
     IDC_EDIT2, "0000000100000000000010000840000000108008409807040011111111580034560FA500A03800000000000000000000000F01000000000000000000000000000080000000000000"},
    {"EMV Cryptogram (custom)", {"68656C6C6F20776F726C64", "", "AAAAAAAAAAAAAAAABBBBBBBBBBBBBBBB"}, IDC_EDIT_OUT,
     "78DA3D3DEB48FD4D"},
    {"EMV ARPC Method 1", {"29CCA15AE665FA2E", "3030", ICC_MK}, IDC_EDIT_OUT, "28993816AFAE4AEB"},
    {"EMV ARPC Method 2", {"7A788EA6B8A3E733", "00000000", "426B942BD737E18465B532B1EC96CA27"}, IDC_EDIT_OUT,
     "9AF514C1"},
};

TEST(EmvWindow, EachRowReproducesAPublishedCase)
{
    TabrixProcess tabrix;
    ASSERT_NE(tabrix.main(), nullptr) << "no main window from " << tabrix_exe_path();
    const int edits[4] = {IDC_EDIT0, IDC_EDIT1, IDC_EDIT2, IDC_EDIT3};
    for (const Case& c : CASES) {
        tabrix.choose(c.row);
        for (int i = 0; i < 4; ++i)
            tabrix.type(edits[i], c.field[i] ? c.field[i] : "");
        tabrix.press_go();
        ASSERT_EQ(tabrix.message_box(), nullptr) << c.row;
        const std::string expected = c.expected;
        EXPECT_EQ(tabrix.text(c.output).substr(0, expected.size()), expected) << c.row;
    }
}

} // namespace
