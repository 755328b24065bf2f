// keyblock_test.cpp: one published key block per version opened in the real window, and built again
// from its header and padding.
#include <gtest/gtest.h>

#include "tests/gui/tabrix_process.h"

namespace {

// TR-31:2018 A.7.2.1, A.7.2.2 and A.7.4; the version C block of the payShield 10k sample.
struct Published {
    const char *block, *kbpk, *key, *check_value, *header, *padding;
};
constexpr Published BLOCKS[] = {
    {"A0072P0TE00E0000F5161ED902807AF26F1D62263644BD24192FDB3193C730301CEE8701", "89E88CF7931444F334BD7547FC3F380C",
     "F039121BEC83D26B169BDCD5B22AAF8F", "CB9DEA", "A0000P0TE00E0000", "720DF563BB07"},
    {"B0080P0TE00E000094B420079CC80BA3461F86FE26EFC4A3B8E4FA4C5F5341176EED7B727B8A248E",
     "DD7515F2BFC17F85CE48F3CA25CB21F6", "3F419E1CB7079442AA37474C2EFBF8B8", "57C409", "B0000P0TE00E0000",
     "1C2965473CE2"},
    {"C0072K0TN00N0000C9B875FF7A5316BF221C09ED52080DE0B45632A4EA9CE87699CB565E", "EFE0853B256B583D868F251CE99EA1D9",
     "5DB50B454F8389ADCE573BE50861F2BF", "5C9405", "C0000K0TN00N0000", "345A7B73542D"},
    {"D0112P0AE00E0000B82679114F470F540165EDFBF7E250FCEA43F810D215F8D207E2E417C07156A27E8E31DA05F7425509593D03A457DC34",
     "88E1AB2A2E3DD38C1FA039A536500CC8A87AB9D62DC92C01058FA79F44657DE6", "3F419E1CB7079442AA37474C2EFBF8B8", "08793E",
     "D0000P0AE00E0000", "1C2965473CE206BB855B01533782"},
};

class KeyBlockWindow : public ::testing::Test {
protected:
    TabrixProcess tabrix;

    void SetUp() override { ASSERT_NE(tabrix.main(), nullptr); }
};

TEST_F(KeyBlockWindow, EachVersionOpensAndRebuilds)
{
    for (const Published& p : BLOCKS) {
        tabrix.choose("Key Block - open and verify");
        tabrix.type(IDC_EDIT0, p.block);
        tabrix.type(IDC_EDIT1, p.kbpk);
        tabrix.press_go();
        ASSERT_EQ(tabrix.message_box(), nullptr) << p.block;
        EXPECT_EQ(tabrix.text(IDC_EDIT_OUT), p.key);
        EXPECT_EQ(tabrix.text(IDC_EDIT3), p.check_value);
        EXPECT_EQ(tabrix.text(IDC_EDIT2).rfind(std::string("Version ") + p.block[0], 0), 0u) << tabrix.text(IDC_EDIT2);

        tabrix.choose("Key Block - build");
        tabrix.type(IDC_EDIT0, p.header);
        tabrix.type(IDC_EDIT1, p.kbpk);
        tabrix.type(IDC_EDIT2, p.key);
        tabrix.type(IDC_EDIT3, p.padding);
        tabrix.press_go();
        ASSERT_EQ(tabrix.message_box(), nullptr) << p.header;
        EXPECT_EQ(tabrix.text(IDC_EDIT_OUT), p.block);
    }
}

} // namespace
