// XOR and the four parity adjustments, run through GO! on the fake window.
#include "tests/support/workbench.h"

using XorParity = Workbench;

TEST_F(XorParity, XorOfUpToFourValues)
{
    struct Case { const char* in[4]; const char* out; const char* counter; };
    const Case cases[] = {
        {{"", "", "", ""}, "", "0 bytes"},
        {{"01 02", "ff", "", ""}, "FE02", "2 bytes"},
        {{"01 02", "", "", "ff"}, "FE02", "2 bytes"},
        {{"", "", "c0ffee", ""}, "C0FFEE", "3 bytes"},
        {{"", "abcd", "", ""}, "ABCD", "2 bytes"},
        {{"11", "22", "44", "88"}, "FF", "1 bytes"},
        {{"0123456789abcdef", "0123456789abcdef", "", ""}, "0000000000000000", "8 bytes"},
    };
    choose("XOR");
    for (const Case& c : cases) {
        run_with(c.in[0], c.in[1], c.in[2], c.in[3]);
        EXPECT_EQ(output(), c.out) << c.in[0] << "|" << c.in[1] << "|" << c.in[2] << "|" << c.in[3];
        EXPECT_EQ(counter(4), c.counter);
    }
    EXPECT_TRUE(w.messages.empty());
}

TEST_F(XorParity, XorOfAsciiAndHexadecimal)
{
    choose("XOR");
    set_ascii(1, true);
    run_with("2020", "ab");
    EXPECT_EQ(output(), "4142");
    EXPECT_EQ(text(1), "ab") << "ASCII text is never rewritten";
}

TEST_F(XorParity, XorStopsAtTheFirstBadField)
{
    choose("XOR");
    run_with("0102", "030", "zz 05", "6");
    EXPECT_EQ(last_message(), "Invalid field size!");
    EXPECT_EQ(w.messages.back().caption, "Ooops!");
    EXPECT_EQ(w.focus, IDC_EDIT1);
    EXPECT_EQ(w.selected_all, IDC_EDIT1);
    EXPECT_EQ(output(), "");
    EXPECT_EQ(text(0), "0102");
    EXPECT_EQ(text(2), "zz 05") << "not read yet";
    EXPECT_TRUE(w[IDC_GO].enabled);
}

TEST_F(XorParity, ParityAdjustments)
{
    struct Case { const char* row; const char* in; const char* out; };
    const Case cases[] = {
        {"Parity Adjust (lsb odd)", "01 23 45", "012345"},
        {"Parity Adjust (lsb odd)", "00 FF 80 FE", "01FE80FE"},
        {"Parity Adjust (lsb even)", "01 23 45", "002244"},
        {"Parity Adjust (msb odd)", "00 FF 80 FE", "807F80FE"},
        {"Parity Adjust (msb even)", "01 23 45", "81A3C5"},
        {"Parity Adjust (msb even)", "", ""},
        // Any length, not only multiples of 8.
        {"Parity Adjust (lsb odd)", "0123456789ABCDEFFEDCBA98765432", "0123456789ABCDEFFEDCBA98765432"},
        {"Parity Adjust (lsb odd)", "0022446688AACCEE", "0123456789ABCDEF"},
    };
    for (const Case& c : cases) {
        choose(c.row);
        run_with(c.in);
        EXPECT_EQ(output(), c.out) << c.row << " " << c.in;
    }
    EXPECT_TRUE(w.messages.empty());
}

TEST_F(XorParity, EveryParityRowGivesItsParityAndChangesOneBitAtMost)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        static const char* digits = "0123456789ABCDEF";
        all += digits[b >> 4];
        all += digits[b & 15];
    }
    struct Rule { const char* row; int bit; bool odd; };
    for (Rule r : {Rule{"Parity Adjust (lsb odd)", 0x01, true}, Rule{"Parity Adjust (lsb even)", 0x01, false},
                   Rule{"Parity Adjust (msb odd)", 0x80, true}, Rule{"Parity Adjust (msb even)", 0x80, false}}) {
        choose(r.row);
        run_with(all);
        ASSERT_EQ(g_field[4].length, 256);
        for (int b = 0; b < 256; ++b) {
            int out = g_field[4].data[b];
            EXPECT_EQ(__builtin_popcount(out) % 2 == 1, r.odd) << r.row << " " << b;
            EXPECT_EQ(out & ~r.bit, b & ~r.bit) << r.row << " " << b;
        }
    }
}

TEST_F(XorParity, ParityRefusesAnOddDigitCount)
{
    choose("Parity Adjust (lsb even)");
    run_with("123");
    EXPECT_EQ(last_message(), "Invalid field size!");
    EXPECT_EQ(w.focus, IDC_EDIT0);
    EXPECT_EQ(output(), "");
}
