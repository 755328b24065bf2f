// The window at start-up and its layout for the different kinds of row.
#include "tests/support/workbench.h"

using StartUp = Workbench;
using Layout = Workbench;

TEST_F(StartUp, OpensOnTheFirstSeparator)
{
    EXPECT_EQ(current_row, 0);
    EXPECT_EQ(w[IDC_OPERATION_LIST].items.size(), 43u);
    EXPECT_EQ(w[IDC_OPERATION_LIST].items.front(), "==================== SYMMETRIC ALGORITHMS =====================");
    EXPECT_EQ(w[IDC_OPERATION_LIST].items.back(), "Parity Adjust (msb even)");
    EXPECT_EQ(w[IDC_OPERATION_LIST].selection, 0);
    EXPECT_FALSE(w[IDC_GO].enabled);
    EXPECT_FALSE(w[IDC_GO].visible);
    EXPECT_TRUE(w[IDC_CENTRE_PICTURE].visible);
    EXPECT_EQ(w[IDC_CENTRE_PICTURE].picture, 0x10000u + 132);
    EXPECT_TRUE(w[IDC_RADIO_ECB].checked);
    EXPECT_FALSE(w[IDC_RADIO_CBC].checked || w[IDC_RADIO_MAC].checked);
    EXPECT_FALSE(w[IDC_CHECK_VALUE].visible);
    EXPECT_EQ(w[IDC_HELP_TEXT].text, "");
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(w[field_edit_id[i]].visible) << i;
        EXPECT_FALSE(w[field_icon_id[i]].visible) << i;
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(w[field_edit_id[i]].text_limit, 4096);
    EXPECT_EQ(w[IDC_EDIT_OUT].text_limit, 0);
    EXPECT_TRUE(w.title.starts_with("Tabrix! V1.63 - Vornal ("));
    EXPECT_TRUE(w.icons_set);
    EXPECT_EQ(w.loaded_pictures.size(), 26u);
}

TEST_F(StartUp, EveryCounterReadsZeroBytesAfterClearAll)
{
    choose("XOR");
    type(0, "1234");
    click(IDC_CLEAR_ALL);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(counter(i), "0 bytes");
        EXPECT_EQ(text(i), "");
    }
    EXPECT_FALSE(w[IDC_GO].enabled);
}

TEST_F(StartUp, CentresTheMainWindowOnTheDesktop)
{
    // 1280 x 1024 desktop, 800 x 700 window.
    WindowRect r = w.rects[FakeWindow::MAIN];
    EXPECT_EQ(r.left, 240);
    EXPECT_EQ(r.top, 162);
}

TEST(CentreWindow, TruncatesTowardsZeroAndAllowsNegativeOffsets)
{
    FakeWindow f;
    g_window = &f;
    struct Case { WindowRect parent, window; int x, y; };
    const Case cases[] = {
        {.parent = {10, 20, 111, 221}, .window = {0, 0, 50, 50}, .x = 35, .y = 95},
        {.parent = {0, 0, 100, 100}, .window = {0, 0, 301, 201}, .x = -100, .y = -50},
        {.parent = {-7, -7, 0, 0}, .window = {0, 0, 10, 10}, .x = -8, .y = -8},
    };
    for (const Case& c : cases) {
        f.rects[5] = c.parent;
        f.rects[6] = c.window;
        f.parents[6] = 5;
        centre_window(6);
        EXPECT_EQ(f.rects[6].left, c.x);
        EXPECT_EQ(f.rects[6].top, c.y);
        EXPECT_EQ(f.rects[6].right - f.rects[6].left, c.window.right - c.window.left);
    }
    g_window = nullptr;
}

TEST_F(Layout, SeparatorShowsOnlyItsCentrePicture)
{
    choose("AES");
    choose("======================= HASH FUNCTIONS ========================");
    EXPECT_TRUE(w[IDC_CENTRE_PICTURE].visible);
    EXPECT_EQ(w[IDC_CENTRE_PICTURE].picture, 0x10000u + 136);
    for (int id : {IDC_GO, IDC_CLEAR_ALL, IDC_CLEAR_OUTPUT, IDC_COPY_TO_CLIPBOARD, IDC_RADIO_ECB, IDC_BLOCK_MODE_LABEL,
                   IDC_ARROW_OUT, IDC_ARROW1, IDC_ARROW2, IDC_ARROW3, IDC_PADDING, IDC_COPY_TO_INPUT, IDC_CHECK_VALUE})
        EXPECT_FALSE(w[id].visible) << id;
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(w[field_edit_id[i]].visible) << i;
        EXPECT_FALSE(w[field_icon_id[i]].visible) << i;
        EXPECT_EQ(w[field_label_id[i]].text, "") << i;
    }
    EXPECT_EQ(w[IDC_HELP_TEXT].text, "");
}

TEST_F(Layout, AesFollowsTheBlockMode)
{
    choose("AES");
    EXPECT_FALSE(w[IDC_CENTRE_PICTURE].visible);
    EXPECT_EQ(w[IDC_LABEL0].text, "Clear data (16-byte blocks):");
    EXPECT_FALSE(w[IDC_EDIT1].visible);
    EXPECT_TRUE(w[IDC_ICON1].visible); // the arrow stands where field 1 would be
    EXPECT_EQ(w[IDC_ICON1].picture, 0x10000u + 124);
    EXPECT_EQ(w[IDC_HELP_TEXT].text, "NIST - Advanced Encryption Standard\r(encryption)");
    EXPECT_TRUE(w[IDC_CHECK_VALUE].visible);
    EXPECT_TRUE(w[IDC_ARROW_OUT].visible);
    EXPECT_TRUE(w[IDC_GO].visible);
    for (int id : {IDC_RADIO_ECB, IDC_RADIO_CBC, IDC_RADIO_MAC})
        EXPECT_TRUE(w[id].visible && w[id].enabled) << id;

    struct Step { int mode; bool iv_enabled, padding_enabled; };
    for (Step s : {Step{IDC_RADIO_ECB, false, false}, Step{IDC_RADIO_CBC, true, false}, Step{IDC_RADIO_MAC, true, true},
                   Step{IDC_RADIO_ECB, false, false}}) {
        select_mode(s.mode);
        EXPECT_EQ(w[IDC_EDIT3].enabled, s.iv_enabled) << s.mode;
        EXPECT_EQ(w[IDC_PADDING].enabled, s.padding_enabled) << s.mode;
    }
}

TEST_F(Layout, MacModeKeepsPaddingTickUntilAnotherModeOrRow)
{
    choose("AES");
    select_mode(IDC_RADIO_MAC);
    click(IDC_PADDING);
    EXPECT_TRUE(w[IDC_PADDING].checked);
    select_mode(IDC_RADIO_MAC);
    EXPECT_TRUE(w[IDC_PADDING].checked);
    select_mode(IDC_RADIO_CBC);
    EXPECT_FALSE(w[IDC_PADDING].checked);
    EXPECT_FALSE(w[IDC_PADDING].enabled);
    select_mode(IDC_RADIO_MAC);
    click(IDC_PADDING);
    choose("DES");
    EXPECT_FALSE(w[IDC_PADDING].checked);
    EXPECT_TRUE(w[IDC_PADDING].enabled); // MAC stays selected and DES allows it
}

TEST_F(Layout, ReverseRowMovesMacToEcb)
{
    choose("AES");
    select_mode(IDC_RADIO_MAC);
    choose("AES [rev]");
    EXPECT_TRUE(w[IDC_RADIO_ECB].checked);
    EXPECT_FALSE(w[IDC_RADIO_MAC].checked);
    EXPECT_FALSE(w[IDC_RADIO_MAC].enabled);
    EXPECT_FALSE(w[IDC_EDIT3].enabled);
    EXPECT_FALSE(w[IDC_PADDING].enabled);
}

TEST_F(Layout, CbcSurvivesAReverseRow)
{
    choose("DES");
    select_mode(IDC_RADIO_CBC);
    choose("DES [rev]");
    EXPECT_TRUE(w[IDC_RADIO_CBC].checked);
    EXPECT_TRUE(w[IDC_EDIT3].enabled);
}

TEST_F(Layout, MacOnlyRowHidesRadiosAndForcesMac)
{
    choose("AES");
    select_mode(IDC_RADIO_ECB);
    choose("Triple-DES MAC (DES / final Triple-DES)");
    for (int id : {IDC_RADIO_ECB, IDC_RADIO_CBC, IDC_RADIO_MAC, IDC_BLOCK_MODE_LABEL, IDC_BLOCK_MODE_PICTURE})
        EXPECT_FALSE(w[id].visible) << id;
    EXPECT_TRUE(w[IDC_RADIO_MAC].checked);
    EXPECT_FALSE(w[IDC_RADIO_ECB].checked);
    EXPECT_TRUE(w[IDC_PADDING].enabled);
    EXPECT_FALSE(w[IDC_PADDING].checked);
    EXPECT_TRUE(w[IDC_EDIT3].enabled);
}

TEST_F(Layout, XorAfterAesInEcbLeavesTheFourthInputEnabled)
{
    choose("AES");
    select_mode(IDC_RADIO_ECB);
    choose("XOR");
    EXPECT_TRUE(w[IDC_EDIT3].enabled);
    EXPECT_TRUE(w[IDC_EDIT3].visible);
    EXPECT_EQ(w[IDC_LABEL3].text, "4th Input (optional):");
    EXPECT_FALSE(w[IDC_RADIO_ECB].visible);
    EXPECT_TRUE(w[IDC_RADIO_ECB].checked); // hidden radios keep their state
}

TEST_F(Layout, UseIpekRetitlesFieldTwoUntilTheNextLayout)
{
    choose("DUKPT Triple-DES PIN");
    EXPECT_TRUE(w[IDC_USE_IPEK].visible);
    EXPECT_FALSE(w[IDC_USE_IPEK].checked);
    EXPECT_EQ(w[IDC_LABEL2].text, "Triple-DES BDK - Base Derivation Key (16 bytes):");
    EXPECT_EQ(w[IDC_ICON2].picture, 0x10000u + 129);

    click(IDC_USE_IPEK);
    EXPECT_EQ(w[IDC_LABEL2].text, "Triple-DES IPEK - Initial PIN Encryption Key (16 bytes):");
    EXPECT_EQ(w[IDC_ICON2].picture, 0x10000u + 115);
    EXPECT_TRUE(w[IDC_ICON2].visible);

    choose("DUKPT Triple-DES Data resp");
    EXPECT_FALSE(w[IDC_USE_IPEK].checked);
    EXPECT_EQ(w[IDC_LABEL2].text, "Triple-DES BDK - Base Derivation Key (16 bytes):");
    EXPECT_EQ(w[IDC_ICON2].picture, 0x10000u + 129);

    click(IDC_USE_IPEK);
    click(IDC_USE_IPEK);
    EXPECT_EQ(w[IDC_LABEL2].text, "Triple-DES BDK - Base Derivation Key (16 bytes):");
    EXPECT_EQ(w[IDC_ICON2].picture, 0x10000u + 129);

    choose("DES");
    EXPECT_FALSE(w[IDC_USE_IPEK].visible);
}

TEST_F(Layout, PicturesOfTheHashAndParityRows)
{
    struct Case { const char* row; int icons[5]; };
    const Case cases[] = {
        {"MD5", {123, -1, 124, 125, 122}},
        {"SHA-512", {123, -1, 124, 125, 122}},
        {"CRC16", {123, 116, 124, 125, 122}},
        {"Parity Adjust (msb even)", {117, -1, 124, -1, 138}},
        {"DUKPT Triple-DES IPEK derivation", {128, 126, 129, 124, 115}},
    };
    for (const Case& c : cases) {
        choose(c.row);
        for (int i = 0; i < 5; ++i) {
            bool shown = c.icons[i] >= 0;
            EXPECT_EQ(w[field_icon_id[i]].visible, shown) << c.row << " field " << i;
            if (shown) {
                EXPECT_EQ(w[field_icon_id[i]].picture, 0x10000u + c.icons[i]) << c.row << " field " << i;
            }
        }
    }
    choose("CRC16");
    EXPECT_TRUE(w[IDC_EDIT1].visible);
    choose("SHA-1");
    EXPECT_FALSE(w[IDC_EDIT1].visible);
    EXPECT_FALSE(w[IDC_EDIT2].visible);
    EXPECT_FALSE(w[IDC_EDIT3].visible);
}

TEST_F(Layout, RsaKeyGenerationHasTwoOutputsInTheInputFields)
{
    choose("RSA Key Generation");
    EXPECT_TRUE(w[IDC_EDIT2].visible);
    EXPECT_TRUE(w[IDC_EDIT2].read_only);
    EXPECT_TRUE(w[IDC_EDIT3].read_only);
    EXPECT_FALSE(w[IDC_EDIT1].read_only);
    EXPECT_FALSE(w[IDC_ADJUST2].visible);
    EXPECT_FALSE(w[IDC_ADJUST3].visible);
    EXPECT_TRUE(w[IDC_ADJUST1].visible);
    EXPECT_FALSE(w[IDC_EDIT3].visible);
    EXPECT_TRUE(w[IDC_ICON3].visible);
    EXPECT_EQ(w[IDC_ICON3].picture, 0x10000u + 126);
    EXPECT_TRUE(w[IDC_ARROW2].visible);
    EXPECT_FALSE(w[IDC_ARROW_OUT].visible);
    EXPECT_EQ(w[IDC_HELP_TEXT].text, "RSA (Rivest\x96" "Shamir\x96" "Adleman) random key generation");

    choose("XOR");
    EXPECT_FALSE(w[IDC_EDIT2].read_only);
    EXPECT_TRUE(w[IDC_ADJUST2].visible);
    EXPECT_TRUE(w[IDC_ARROW_OUT].visible);
    EXPECT_FALSE(w[IDC_ARROW2].visible);
}

TEST_F(Layout, PictureThatFailedToLoadIsHidden)
{
    TearDown();
    w.controls.clear();
    w.failing_pictures = {124, 132};
    SetUp();
    EXPECT_FALSE(w[IDC_CENTRE_PICTURE].visible);
    choose("AES");
    EXPECT_FALSE(w[IDC_ICON1].visible);
    EXPECT_TRUE(w[IDC_ICON0].visible);
}

TEST_F(Layout, HelpTextsKeepTheirLineBreaks)
{
    choose("DUKPT DES MAC");
    EXPECT_EQ(w[IDC_HELP_TEXT].text, "DUKPT - Derived Unique Key Per Transaction - ANSI X9.24-1999\n"
                                     "Variant: Message Authentication Code (MAC) generation");
    choose("Triple-DES/K24 [rev]");
    EXPECT_EQ(w[IDC_HELP_TEXT].text,
              "Triple Data Encryption Standard - ANSI X9.52 keying option 1 (3TDEA)\r(decryption)");
}

TEST_F(Layout, ChangingRowKeepsTextsAndCounters)
{
    choose("XOR");
    type(0, "abc");
    type(1, "0102");
    choose("SHA-256");
    EXPECT_EQ(text(0), "abc");
    EXPECT_EQ(counter(0), "1,5 bytes");
    EXPECT_EQ(text(1), "0102");
    EXPECT_TRUE(w[IDC_GO].enabled); // one whole byte counted; changing the row leaves GO! as it was
}
