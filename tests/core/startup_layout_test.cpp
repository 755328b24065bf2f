// The window at start-up and its layout for the different kinds of row.
#include "tests/support/workbench.h"

using Layout = Workbench;

constexpr PictureRef picture(int id) { return 0x10000u + static_cast<PictureRef>(id); }

TEST_F(Layout, StartsOnTheFirstSeparatorCentredOnTheDesktop)
{
    EXPECT_EQ(current_row, 0);
    ASSERT_EQ(w[IDC_OPERATION_LIST].items.size(), static_cast<std::size_t>(CATALOGUE_ROWS - 1));
    EXPECT_EQ(w[IDC_OPERATION_LIST].items[42], "Parity Adjust (msb even)"); // the last of the original rows
    EXPECT_EQ(w[IDC_OPERATION_LIST].selection, 0);
    EXPECT_FALSE(w[IDC_GO].enabled || w[IDC_GO].visible);
    EXPECT_TRUE(w[IDC_CENTRE_PICTURE].visible);
    EXPECT_EQ(w[IDC_CENTRE_PICTURE].picture, picture(132));
    EXPECT_TRUE(w[IDC_RADIO_ECB].checked);
    EXPECT_FALSE(w[IDC_RADIO_CBC].checked || w[IDC_RADIO_MAC].checked || w[IDC_CHECK_VALUE].visible);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(w[field_edit_id[i]].visible || w[field_icon_id[i]].visible) << i;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(w[field_edit_id[i]].text_limit, 4096);
    EXPECT_TRUE(w.title.starts_with("Tabrix! V1.63 - Vornal ("));
    EXPECT_EQ(w.loaded_pictures.size(), 26u);
    // 1280 x 1024 desktop, 800 x 700 window.
    EXPECT_EQ(w.rects[FakeWindow::MAIN].left, 240);
    EXPECT_EQ(w.rects[FakeWindow::MAIN].top, 162);
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
    EXPECT_EQ(w[IDC_CENTRE_PICTURE].picture, picture(136));
    for (int id : {IDC_GO, IDC_CLEAR_ALL, IDC_CLEAR_OUTPUT, IDC_COPY_TO_CLIPBOARD, IDC_RADIO_ECB, IDC_BLOCK_MODE_LABEL,
                   IDC_ARROW_OUT, IDC_ARROW1, IDC_ARROW2, IDC_ARROW3, IDC_PADDING, IDC_COPY_TO_INPUT, IDC_CHECK_VALUE})
        EXPECT_FALSE(w[id].visible) << id;
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(w[field_edit_id[i]].visible || w[field_icon_id[i]].visible) << i;
    EXPECT_EQ(w[IDC_HELP_TEXT].text, "");
}

// A user's steps (a row chosen, or a block mode clicked) and the block-mode controls after them.
TEST_F(Layout, BlockModeFollowsRowsAndClicks)
{
    struct Step { const char* row; int mode; };
    struct Case {
        std::vector<Step> steps;
        int selected;
        bool mac_enabled, iv_enabled, padding_enabled, radios_shown;
    };
    const Case cases[] = {
        {{{"AES", 0}}, IDC_RADIO_ECB, true, false, false, true},
        {{{"AES", 0}, {nullptr, IDC_RADIO_CBC}}, IDC_RADIO_CBC, true, true, false, true},
        {{{"AES", 0}, {nullptr, IDC_RADIO_MAC}}, IDC_RADIO_MAC, true, true, true, true},
        {{{"AES", 0}, {nullptr, IDC_RADIO_MAC}, {"AES [rev]", 0}}, IDC_RADIO_ECB, false, false, false, true},
        {{{"DES", 0}, {nullptr, IDC_RADIO_CBC}, {"DES [rev]", 0}}, IDC_RADIO_CBC, false, true, false, true},
        {{{"AES", 0}, {"Triple-DES MAC (DES / final Triple-DES)", 0}}, IDC_RADIO_MAC, true, true, true, false},
        {{{"AES", 0}, {"XOR", 0}}, IDC_RADIO_ECB, true, true, false, false},
        {{{"DUKPT DES MAC", 0}, {"DUKPT DES PIN", 0}}, IDC_RADIO_ECB, false, false, false, true},
    };
    for (const Case& c : cases) {
        choose("AES"); // every case starts from ECB
        select_mode(IDC_RADIO_ECB);
        std::string path;
        for (const Step& s : c.steps) {
            if (s.row)
                choose(s.row);
            else
                select_mode(s.mode);
            path += s.row ? std::string(s.row) + " / " : std::to_string(s.mode) + " / ";
        }
        for (int id : {IDC_RADIO_ECB, IDC_RADIO_CBC, IDC_RADIO_MAC})
            EXPECT_EQ(w[id].checked, id == c.selected) << path << id;
        EXPECT_EQ(w[IDC_RADIO_MAC].enabled, c.mac_enabled) << path;
        EXPECT_EQ(w[IDC_EDIT3].enabled, c.iv_enabled) << path;
        EXPECT_EQ(w[IDC_PADDING].enabled, c.padding_enabled) << path;
        EXPECT_FALSE(w[IDC_PADDING].checked) << path;
        EXPECT_EQ(w[IDC_RADIO_ECB].visible, c.radios_shown) << path;
    }
}

TEST_F(Layout, PaddingKeepsItsTickOnlyInMacMode)
{
    choose("AES");
    select_mode(IDC_RADIO_MAC);
    click(IDC_PADDING);
    select_mode(IDC_RADIO_MAC);
    EXPECT_TRUE(w[IDC_PADDING].checked);
    select_mode(IDC_RADIO_CBC);
    EXPECT_FALSE(w[IDC_PADDING].checked || w[IDC_PADDING].enabled);
    select_mode(IDC_RADIO_MAC);
    click(IDC_PADDING);
    choose("DES");
    EXPECT_FALSE(w[IDC_PADDING].checked);
}

TEST_F(Layout, UseIpekRetitlesFieldTwoUntilTheNextLayout)
{
    const std::string bdk = "Triple-DES BDK - Base Derivation Key (16 bytes):";
    choose("DUKPT Triple-DES PIN");
    EXPECT_TRUE(w[IDC_USE_IPEK].visible);
    click(IDC_USE_IPEK);
    EXPECT_EQ(w[IDC_LABEL2].text, "Triple-DES IPEK - Initial PIN Encryption Key (16 bytes):");
    EXPECT_EQ(w[IDC_ICON2].picture, picture(115));
    click(IDC_USE_IPEK);
    EXPECT_EQ(w[IDC_LABEL2].text, bdk);
    EXPECT_EQ(w[IDC_ICON2].picture, picture(129));
    click(IDC_USE_IPEK);
    choose("DUKPT Triple-DES Data resp");
    EXPECT_FALSE(w[IDC_USE_IPEK].checked);
    EXPECT_EQ(w[IDC_LABEL2].text, bdk);
    EXPECT_EQ(w[IDC_ICON2].picture, picture(129));
    choose("DES");
    EXPECT_FALSE(w[IDC_USE_IPEK].visible);
}

TEST_F(Layout, PicturesStandForHiddenFields)
{
    struct Case { const char* row; int icons[5]; };
    const Case cases[] = {
        {"AES", {117, 124, 115, 116, 118}},
        {"MD5", {123, -1, 124, 125, 122}},
        {"CRC16", {123, 116, 124, 125, 122}},
        {"Parity Adjust (msb even)", {117, -1, 124, -1, 138}},
        {"DUKPT Triple-DES IPEK derivation", {128, 126, 129, 124, 115}},
        {"RSA Key Generation", {140, 119, 141, 126, 120}},
    };
    for (const Case& c : cases) {
        choose(c.row);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(w[field_icon_id[i]].visible, c.icons[i] >= 0) << c.row << " field " << i;
            if (c.icons[i] >= 0) {
                EXPECT_EQ(w[field_icon_id[i]].picture, picture(c.icons[i])) << c.row << " field " << i;
            }
        }
        EXPECT_EQ(w[IDC_EDIT1].visible, c.row == std::string("CRC16") || c.row == std::string("RSA Key Generation"));
    }
}

TEST_F(Layout, KeyGenerationMakesFieldsTwoAndThreeOutputs)
{
    choose("RSA Key Generation");
    EXPECT_TRUE(w[IDC_EDIT2].visible && w[IDC_EDIT2].read_only && w[IDC_EDIT3].read_only);
    EXPECT_FALSE(w[IDC_EDIT1].read_only || w[IDC_EDIT3].visible);
    EXPECT_FALSE(w[IDC_ADJUST2].visible || w[IDC_ADJUST3].visible || w[IDC_ARROW_OUT].visible);
    EXPECT_TRUE(w[IDC_ADJUST1].visible && w[IDC_ARROW2].visible);
    EXPECT_EQ(w[IDC_HELP_TEXT].text, "RSA (Rivest\x96" "Shamir\x96" "Adleman) random key generation");
    choose("XOR");
    EXPECT_FALSE(w[IDC_EDIT2].read_only || w[IDC_ARROW2].visible);
    EXPECT_TRUE(w[IDC_ADJUST2].visible && w[IDC_ARROW_OUT].visible);
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

TEST_F(Layout, ChangingRowKeepsTextsCountersAndGo)
{
    choose("XOR");
    type(0, "abc");
    choose("SHA-256");
    EXPECT_EQ(text(0), "abc");
    EXPECT_EQ(counter(0), "1,5 bytes");
    EXPECT_TRUE(w[IDC_GO].enabled);
}
