// The window at start-up and its layout for the different kinds of row.
#include "tests/support/cases.h"

namespace {

using Layout = Workbench;

constexpr PictureRef picture(int id) { return 0x10000u + static_cast<PictureRef>(id); }

// On a separator only its centre picture shows, whatever row came before.
TEST_F(Layout, StartsOnTheFirstSeparatorCentredOnTheDesktop)
{
    EXPECT_TRUE(w.title.starts_with("Tabrix! V1.63 - Vornal ("));
    EXPECT_EQ(std::pair(w.rects[FakeWindow::MAIN].left, w.rects[FakeWindow::MAIN].top), std::pair(240, 162));
    EXPECT_TRUE(w[IDC_RADIO_ECB].checked && !w[IDC_GO].enabled);
    EXPECT_EQ(w.loaded_pictures.size(), 26u) << "every picture loaded once";
    for (const char* separator : {"", "======================= HASH FUNCTIONS ========================"}) {
        if (*separator)
            choose("AES"), choose(separator);
        EXPECT_EQ(w[IDC_CENTRE_PICTURE].visible ? w[IDC_CENTRE_PICTURE].picture : 0, picture(*separator ? 136 : 132));
        for (int id : {IDC_GO, IDC_CLEAR_ALL, IDC_CLEAR_OUTPUT, IDC_COPY_TO_CLIPBOARD, IDC_RADIO_ECB, IDC_BLOCK_MODE_LABEL,
                       IDC_ARROW_OUT, IDC_ARROW1, IDC_ARROW2, IDC_ARROW3, IDC_PADDING, IDC_COPY_TO_INPUT, IDC_CHECK_VALUE,
                       IDC_EDIT0, IDC_EDIT1, IDC_EDIT2, IDC_EDIT3, IDC_EDIT_OUT, IDC_ICON0, IDC_ICON1, IDC_ICON2, IDC_ICON3, IDC_ICON_OUT})
            EXPECT_FALSE(w[id].visible) << separator << id;
        EXPECT_EQ(w[IDC_HELP_TEXT].text, "");
    }
}

// A user's steps (a row chosen, or a block mode clicked) and the block-mode controls after them.
TEST_F(Layout, BlockModeFollowsRowsAndClicks)
{
    struct Case { std::vector<const char*> steps; int selected; bool mac_enabled, iv_enabled, padding_enabled, radios; };
    const Case cases[] = {
        {{"AES"}, IDC_RADIO_ECB, true, false, false, true},
        {{"AES", "CBC"}, IDC_RADIO_CBC, true, true, false, true},
        {{"AES", "MAC"}, IDC_RADIO_MAC, true, true, true, true},
        {{"AES", "MAC", "AES [rev]"}, IDC_RADIO_ECB, false, false, false, true},
        {{"DES", "CBC", "DES [rev]"}, IDC_RADIO_CBC, false, true, false, true},
        {{"AES", "Triple-DES MAC (DES / final Triple-DES)"}, IDC_RADIO_MAC, true, true, true, false},
        {{"AES", "XOR"}, IDC_RADIO_ECB, true, true, false, false},
        {{"DUKPT DES MAC", "DUKPT DES PIN"}, IDC_RADIO_ECB, false, false, false, true},
    };
    for (const Case& c : cases) {
        choose("AES"); // every case starts from ECB
        select_mode(IDC_RADIO_ECB);
        std::string path;
        for (std::string step : c.steps) {
            if (step == "CBC" || step == "MAC")
                select_mode(step == "CBC" ? IDC_RADIO_CBC : IDC_RADIO_MAC);
            else
                choose(step);
            path += step + " / ";
        }
        for (int id : {IDC_RADIO_ECB, IDC_RADIO_CBC, IDC_RADIO_MAC})
            EXPECT_EQ(w[id].checked, id == c.selected) << path << id;
        EXPECT_EQ((std::vector{w[IDC_RADIO_MAC].enabled, w[IDC_EDIT3].enabled, w[IDC_PADDING].enabled, w[IDC_PADDING].checked,
                               w[IDC_RADIO_ECB].visible}),
                  (std::vector{c.mac_enabled, c.iv_enabled, c.padding_enabled, false, c.radios})) << path;
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

// "Use IPEK" retitles field 2 and changes its picture until it is unticked or another row is chosen.
TEST_F(Layout, UseIpekRetitlesFieldTwoUntilTheNextLayout)
{
    const std::string bdk = "Triple-DES BDK - Base Derivation Key (16 bytes): 129";
    const auto field2 = [&] { return w[IDC_LABEL2].text + " " + std::to_string(w[IDC_ICON2].picture - picture(0)); };
    choose("DUKPT Triple-DES PIN");
    click(IDC_USE_IPEK);
    EXPECT_EQ(field2(), "Triple-DES IPEK - Initial PIN Encryption Key (16 bytes): 115");
    click(IDC_USE_IPEK);
    EXPECT_EQ(field2(), bdk);
    click(IDC_USE_IPEK);
    choose("DUKPT Triple-DES Data resp");
    EXPECT_EQ(field2(), bdk);
    EXPECT_TRUE(w[IDC_USE_IPEK].visible && !w[IDC_USE_IPEK].checked);
    choose("DES");
    EXPECT_FALSE(w[IDC_USE_IPEK].visible);
}

// The pictures beside the fields (tests/data/layout.jsonl).
TEST_F(RowCases, Pictures)
{
    for (const Json& c : read_cases("layout"))
        check(c);
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
    EXPECT_TRUE(w[IDC_ICON0].visible && !w[IDC_ICON1].visible && !w[IDC_CENTRE_PICTURE].visible);
}

} // namespace
